-- operator_test.lua - operate(): input actions only at input waits, popups
-- in order, bad action lists refused with their place and the valid names.

local function error_of(fn)
  local ok, err = pcall(fn)
  expect(not ok, "expected an error")
  return err
end

-- A field of five digits and a panel that waits for it.
local function one_field()
  terminal.help_file{[10] = "Key not allowed here", [16] = "Press Enter"}
  forms.field("FI=1 INPUT=NUM LEN=5 ROW=4 COL=2 RUV=1")
  return forms.panel("ERET=N REASON=7")
end

test("actions wait out the driver's pauses: V_DELAY and the banner", function()
  local popups = operate(function()
    forms.popupwn{op = "C", lines = 1}
    terminal.put_text(2, 3, "One moment")
    forms.v_delay{count = 47}
    forms.popupwn{op = "R"}
    one_field()
  end, {{type = "12", key = "complete"}})
  expect_eq(table.concat(popups, " | "), "One moment | ZEB Panel Driver 1.43 / ZEB Terminals / All rights reserved.")
  expect_uv(1, " 12  ")
  expect_log("main 3", 5)
end)

test("a popup check fails when the popup did not come", function()
  local err = error_of(function() operate(one_field, {{popup = "Key not allowed"}, "cancel"}) end)
  expect(err:find('action 1 {popup = "Key not allowed"}: no popup holding "Key not allowed" appeared', 1, true), err)
end)

test("a stop request ends the command it stopped, the next one runs", function()
  operate(function()
    expect_eq(one_field(), 0, "the stopped panel")
    expect_eq(forms.panel("ERET=N REASON=7"), 1, "the next panel")
  end, {{stop = true}, {type = "5", key = "complete"}})
  expect_log("main returned 1", 1)
end)

test("an error report the test expects is acknowledged like any popup", function()
  expect_report("M1")
  local popups = operate(function() forms.run("NOTHING") end, {{popup = "Bad CZEB(M1):07NOTHING"}, "enter"})
  expect_eq(#popups, 1)
  expect_log('report M1 "07NOTHING"', 1)
end)

test("a bad action names its place and the valid names", function()
  local err = error_of(function() operate(one_field, {"enter", "entr"}) end)
  expect(err:find('operate: action 2: no key named "entr" (enter, cancel', 1, true), err)
  err = error_of(function() operate(one_field, {{tpye = "12"}}) end)
  expect(err:find('operate: action 1 {tpye = "12"}: no action field named "tpye"; the actions are key, type', 1, true), err)
  err = error_of(function() operate(one_field, {"enter", true}) end)
  expect(err:find("operate: action 2 is true; an action is a key name, a function", 1, true), err)
  expect_log("main", 0) -- refused before the program ran
end)
