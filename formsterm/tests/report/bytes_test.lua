-- bytes_test.lua - a test whose output holds markup characters and control
-- bytes: a scan of them, and a failure that quotes them. The report and the
-- JUnit XML must show them as text.
local HOSTILE = "<b>&amp;</script>\1\2\27[31m\127\255"

test("a scan full of markup and control bytes", function()
  operate("receiving.lua", {
    {scan = HOSTILE},
    function() expect_eq(HOSTILE, "<i>", "the scan") end,
    "cancel",
  })
end)
