-- failing_test.lua - a script whose tests fail on purpose: test mode must
-- report each failure with its place and the screen, and end non-zero.

test("this one passes", function()
  terminal.key("enter")
  forms.run("NOTHING")
  expect_row(0, "Bad CZEB(M1):07NOTHING")
end)

test("a check fails", function()
  terminal.key("enter")
  forms.run("NOTHING")
  expect_row(1, "Press no key")
end)

test("a Lua error", function()
  local nothing = nil
  return nothing.field
end)

test("the library starves", function()
  forms.run("WAITING")
end)
