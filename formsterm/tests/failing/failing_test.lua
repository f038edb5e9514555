-- failing_test.lua - a script whose tests fail on purpose: test mode must
-- report each failure with its place and the screen, and end non-zero.

test("this one passes", function()
  expect_report("M1")
  terminal.key("enter")
  forms.run("NOTHING")
  expect_row(0, "Bad CZEB(M1):07NOTHING")
end)

test("a check fails", function()
  expect_report("M1")
  terminal.key("enter")
  forms.run("NOTHING")
  expect_row(1, "Press no key")
end)

test("a Lua error", function()
  local nothing = nil
  return nothing.field
end)

test("the library starves", function()
  expect_report("M1")
  forms.run("WAITING")
end)

test("an error report the test did not expect", function()
  terminal.key("enter")
  forms.field("FI=4 LEN=5 ROW=1 COL=1")
end)

test("an expected error report that never comes", function()
  expect_report("Z6")
end)

test("the program waits for input and the operator has no action left", function()
  expect_report("M1")
  operate(function() forms.run("NOTHING") end, {})
end)

test("the program ends with actions left", function()
  expect_report("M1")
  operate(function() forms.run("NOTHING") end, {"enter", {type = "12"}})
end)
