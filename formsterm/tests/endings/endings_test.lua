-- endings_test.lua - failures that name how the last panel ended. Both
-- tests fail on purpose (registered in CMakeLists.txt with the lines their
-- failures must hold). HELP.VAL here is the example's with one mistake: the
-- location's VERF= names B_ORDR, a value file that is not there.

local PROGRAM = "../../../examples/receiving/receiving.lua"

test("a misspelt VERF= refuses every booking", function()
  operate(PROGRAM, {
    {type = "10001", key = "enter"}, {type = "12.5", key = "enter"}, "enter",
    {type = "4000123457", key = "enter"}, {type = "A-01", key = "complete"},
    "cancel", "cancel",
  })
  expect_uv(1, "10001 ")
end)

test("a quantity out of range refuses the completion", function()
  terminal.add_file("B_ORDR.VAL", "A-01\n")
  operate(PROGRAM, {
    {type = "10001", key = "enter"}, {type = "600", key = "enter"}, "enter",
    {type = "4000123457", key = "enter"}, {type = "A-01", key = "complete"},
    "cancel",
  })
  expect_uv(7, "OK")
end)
