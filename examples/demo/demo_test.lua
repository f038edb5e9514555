-- demo_test.lua - the demo, headless: what demo.lua shows, step by step.
--
--   formsterm test examples/demo/demo_test.lua

test("the first field definition shows the title banner, then restores the screen", function()
  local banner
  terminal.on_idle(function() banner = banner or terminal.screen() end)
  terminal.uv[5] = "FI=1 INPUT=NUM LEN=5 ROW=3 COL=1"
  forms.run("SET_FIE VAR=5")
  expect(banner and banner:find("ZEB Panel Driver 1.43", 1, true), "the banner was shown during the pause")
  expect_row(2, "")
end)

test("an unknown command shows the error report M1 until a key is pressed", function()
  expect_report("M1") -- the test means it: without this line the report fails the test
  terminal.on_idle(function()
    expect_golden("golden/unknown_command.txt")
    terminal.key("enter")
  end)
  expect_eq(forms.run("HELLO"), 0)
end)
