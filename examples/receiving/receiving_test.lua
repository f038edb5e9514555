-- receiving_test.lua - the goods-receiving program, headless, through every
-- way a receipt can end.
--
--   formsterm test examples/receiving/receiving_test.lua
--
-- Each test runs receiving.lua as it is, with an operator who acts whenever
-- the driver waits for input: one action per wait, in turn. A wait of the
-- driver's delay routine (20 ms, while a timed message or the program's own
-- popup stands) is no wait for input: the operator lets it pass, and notes
-- the popup on the screen. The virtual clock stands at 2026-01-15 10:00.

local here = debug.getinfo(1, "S").source:match("^@(.*[/\\])") or ""

local function trimmed(text) return (text or ""):match("^(.-)%s*$") end

-- The lines of the popup window on the display, joined by " / ", or nil.
local function popup_text()
  if terminal.row(1):sub(3, 3) ~= "+" then return nil end
  local lines = {}
  for row = 2, 18 do
    if terminal.row(row):sub(3, 3) ~= "|" then break end
    lines[#lines + 1] = trimmed(terminal.row(row):sub(4, 25))
  end
  return table.concat(lines, " / ")
end

-- What an action may return: AGAIN keeps it for the next wait as well;
-- PASS hands this same wait on to the next action.
local AGAIN, PASS = "again", "pass"

local shown -- the popups seen while the driver paused, in order

local function saw(text)
  for _, seen in ipairs(shown) do
    if seen:find(text, 1, true) then return true end
  end
  return false
end

-- Runs the program with the operator's actions; fails when the program asks
-- for more input than the actions give.
local function run_receiving(actions)
  local next_action, last_popup = 1, nil
  shown = {}
  terminal.clear_waits()
  terminal.on_idle(function()
    local waits = terminal.waits()
    local pause = waits[#waits] == 20
    terminal.clear_waits()
    if pause then
      local text = popup_text()
      if text and text ~= last_popup then shown[#shown + 1] = text end
      last_popup = text
      return
    end
    last_popup = nil
    repeat
      local action = actions[next_action]
      if action == nil then error("the operator has no more actions; the screen:\n" .. terminal.screen()) end
      local outcome = action()
      if outcome ~= AGAIN then next_action = next_action + 1 end
    until outcome ~= PASS
  end)
  dofile(here .. "receiving.lua")
  terminal.on_idle(nil)
  expect_eq(next_action, #actions + 1, "actions used")
end

-- Actions.
local function keys(text, last_key)
  return function()
    terminal.type(text)
    if last_key then terminal.key(last_key) end
  end
end
local function press(key) return function() terminal.key(key) end end
local function scan(text) return function() terminal.scan(text) end end
local function check(fn) return function() fn(); return PASS end end
local function until_shown(text)
  return function() return saw(text) and PASS or AGAIN end
end

local ROW = {part = 3, quantity = 5, date = 7, lot = 9, location = 11}
local COL = 12

-- The keys of one complete, valid receipt.
local function receipt(part, lot, location)
  return {
    keys(part, "enter"), keys("12.5", "enter"), keys("14012026", "enter"),
    keys(lot, "enter"), keys(location, "complete"),
  }
end

local function concat(...)
  local all = {}
  for _, list in ipairs{...} do
    for _, action in ipairs(list) do all[#all + 1] = action end
  end
  return all
end

-- User variables 1 to 5 hold the values of the last completed panel,
-- padded to their field lengths; 6 the count, 7 how the last panel ended.
local function expect_uvs(values)
  for n, text in pairs(values) do expect_uv(n, text) end
end

local function transactions()
  local flags = {}
  for _, entry in ipairs(terminal.log()) do
    local flag = entry:match("^transaction (%d)$")
    if flag then flags[#flags + 1] = flag end
  end
  return table.concat(flags, " ")
end

test("a receipt keyed in and scanned is booked, counted and stored padded", function()
  run_receiving{
    check(function() expect_golden("golden/new_receipt.txt") end),
    scan("P10001"),
    check(function()
      expect_text(ROW.part, COL, "10001_")
      expect_cursor(ROW.quantity, COL)
    end),
    keys("12.5", "enter"),
    keys("14012026", "enter"),
    keys("4000123457", "enter"),
    keys("a-01", "complete"),
    check(function()
      expect_golden("golden/next_receipt.txt")
      expect_uv(7, "OK")
    end),
    press("cancel"),
  }
  expect_uvs{"10001 ", " 012.50", "14-01-2026", "4000123457", "A-01", "1", "CANCEL"}
  expect_log('validation PARTS.VAL 3 "10001" -> 0', 1)
  expect_eq(transactions(), "1 0", "booked, then closed without a receipt")
end)

test("scans fill the fields by their Data IDs and an empty date becomes today", function()
  run_receiving{
    scan("P20480"),
    keys("-3", "enter"),
    scan("L4000123465"), -- on the date field: the L routes it to the lot
    check(function()
      expect_text(ROW.date, COL, "DD-MM-YYYY") -- shown while on it; the value is empty
      expect_text(ROW.lot, COL, "4000123465")
      expect_cursor(ROW.location, COL)
    end),
    keys("dock", "complete"),
    press("cancel"),
  }
  expect_uvs{"20480 ", "-003.00", "15-01-2026", "4000123465", "DOCK"}
end)

test("each check refuses a wrong value with its message, on the field to correct", function()
  local messages_before
  run_receiving{
    keys("99999", "enter"), keys("600", "enter"), keys("31022026", "enter"),
    keys("4000123450", "enter"), keys("X-99", "complete"),
    check(function()
      expect(saw("Not on file"), "part number not in PARTS.VAL")
      expect_cursor(ROW.part, COL)
    end),
    keys("10015", "complete"),
    check(function()
      expect(saw("Out of range"), "quantity above 500")
      expect_cursor(ROW.quantity, COL + 1)
    end),
    keys("500", "complete"),
    check(function()
      expect(saw("Not a valid date"), "31 February")
      expect_cursor(ROW.date, COL)
    end),
    keys("28022026", "complete"),
    check(function()
      expect(saw("Bad lot number"), "wrong check digit")
      expect_cursor(ROW.lot, COL)
    end),
    check(function() messages_before = #shown end),
    keys("5000123454", "complete"), -- a right check digit, but lots here begin with 4
    check(function()
      expect_eq(#shown, messages_before + 1, "one more message")
      expect_eq(shown[#shown], "Bad lot number")
    end),
    keys("4000123473", "complete"),
    check(function()
      expect_eq(shown[#shown], "Not on file", "location not in B_LOC.VAL")
      expect_cursor(ROW.location, COL)
    end),
    keys("B-02", "complete"),
    press("cancel"),
  }
  expect_log('validation PARTS.VAL 3 "99999" -> 1', 1)
  expect_uvs{"10015 ", " 500.00", "28-02-2026", "4000123473", "B-02", "1"}
end)

test("a value the field cannot take is refused as it is keyed or scanned", function()
  run_receiving{
    scan("P1000123"), -- seven characters for a field of six
    check(function() expect_eq(shown[#shown], "Scan does not fit") end),
    scan("4000123457"), -- no Data ID, and the part field takes none without
    check(function() expect_eq(shown[#shown], "Scan not accepted here") end),
    press("enter"),
    keys("x"), -- a letter in the quantity
    check(function() expect_eq(shown[#shown], "Key not allowed here") end),
    press("enter"), press("enter"),
    keys("400012", "enter"), -- a lot of six digits in a fixed field of ten
    check(function() expect_eq(popup_text(), "Fill the whole field / Press Enter") end),
    press("enter"),
    press("cancel"),
  }
  expect_uv(7, "CANCEL")
end)

test("the help key shows the field's help until Enter", function()
  run_receiving{
    press("help"),
    check(function()
      expect_eq(popup_text(), "Part number: key it, / or scan its label / (P and the number). / " ..
                "Parts on file: / 10001 10002 10015 / 20480 31170 45120 / Press Enter")
    end),
    press("enter"),
    check(function()
      expect_row(ROW.part, " Part no.   ______  scan P10001")
      expect_cursor(ROW.part, COL)
    end),
    press("cancel"),
  }
end)

test("a lot received before is refused and the panel goes back to the lot", function()
  run_receiving(concat(receipt("10001", "4000123457", "A-01"), receipt("10002", "4000123457", "A-02"), {
    check(function()
      expect(saw("Lot 4000123457 / already received."), "the program's popup")
      expect_text(ROW.part, COL, "10002_")
      expect_text(ROW.lot, COL, "4000123457")
      expect_text(16, 0, " Last: lot 4000123457 refused")
      expect_cursor(ROW.lot, COL)
    end),
    keys("4123456784", "complete"),
    press("cancel"),
  }))
  expect_uvs{"10002 ", [4] = "4123456784", [5] = "A-02", [6] = "2"}
  expect_eq(transactions(), "1 0 1 0")
end)

test("the location stays for the next receipt, and the count starts again each day", function()
  terminal.set_clock("2026-01-15 23:59:30")
  run_receiving(concat(receipt("10001", "4000123457", "C-01"), {
    check(function()
      expect_text(ROW.location, COL, "C-01")
      expect_row(15, " Receipts today: 1")
    end),
    keys("31170", "enter"), keys("1", "enter"), keys("", "enter"), keys("4000123465", "complete"),
  }, {
    check(function()
      expect_row(15, " Receipts today: 2")
      terminal.set_clock("2026-01-16 00:00:05") -- within the panel's time-out
    end),
    keys("45120", "enter"), keys("1", "enter"), keys("", "enter"), keys("4310000072", "complete"),
    check(function()
      expect_row(15, " Receipts today: 1")
      expect_text(0, 31, "16.01.26")
    end),
    press("cancel"),
  }))
  expect_uvs{[3] = "16-01-2026", [5] = "C-01"}
  expect_row(3, " Receiving closed.")
  expect_row(5, " Receipts today: 1")
end)

test("cancel closes receiving and stores nothing", function()
  run_receiving{keys("10001", "enter"), keys("7"), press("cancel")}
  expect_uv(1, "")
  expect_uv(2, "")
  expect_uv(7, "CANCEL")
  expect_eq(forms.last_result(), 0, "TRANMSG returns 0")
  expect_eq(transactions(), "0")
  expect_row(3, " Receiving closed.")
  expect_row(5, " Receipts today: 0")
end)

test("a panel left alone for a minute times out and starts again empty", function()
  local start = terminal.now()
  run_receiving{
    keys("10001", "enter"), keys("2"),
    until_shown("Time is up"),
    check(function()
      expect_uv(7, "TIMEOUT")
      expect_uv(1, "")
      expect_text(ROW.part, COL, "______")
      expect_text(ROW.quantity, COL, "_______")
      expect_row(16, " Last: timed out, receipt dropped")
      expect(terminal.now() - start > 60, "a minute went by")
    end),
    press("cancel"),
  }
  expect_eq(transactions(), "0 0")
end)
