-- receiving_test.lua - the goods-receiving program, headless, through every
-- way a receipt can end.
--
--   formsterm test examples/receiving/receiving_test.lua
--
-- Each test runs receiving.lua as it is, with an operator who acts whenever
-- the driver waits for input: keys, typed text, scans, time let pass, and
-- checks of the screen and of the popups that appeared meanwhile. The
-- virtual clock stands at 2026-01-15 10:00.

local ROW = {part = 3, quantity = 5, date = 7, lot = 9, location = 11}
local COL = 12

-- The actions of one complete, valid receipt.
local function receipt(part, lot, location)
  return {
    {type = part, key = "enter"}, {type = "12.5", key = "enter"}, {type = "14012026", key = "enter"},
    {type = lot, key = "enter"}, {type = location, key = "complete"},
  }
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
  local popups = operate("receiving.lua", {
    {golden = "golden/new_receipt.txt"},
    {scan = "P10001"},
    function()
      expect_text(ROW.part, COL, "10001_")
      expect_cursor(ROW.quantity, COL)
    end,
    {type = "12.5", key = "enter"},
    {type = "14012026", key = "enter"},
    {type = "4000123457", key = "enter"},
    {type = "a-01", key = "complete"},
    {golden = "golden/next_receipt.txt"},
    function() expect_uv(7, "OK") end,
    "cancel",
  })
  expect_eq(table.concat(popups, " | "), "ZEB Panel Driver 1.43 / ZEB Terminals / All rights reserved.",
            "the banner was the only popup")
  expect_uvs{"10001 ", " 012.50", "14-01-2026", "4000123457", "A-01", "1", "CANCEL"}
  expect_log('validation PARTS.VAL 3 "10001" -> 0', 1)
  expect_log("report", 0)
  expect_eq(transactions(), "1 0", "booked, then closed without a receipt")
end)

test("scans fill the fields by their Data IDs and an empty date becomes today", function()
  operate("receiving.lua", {
    {scan = "P20480"},
    {type = "-3", key = "enter"},
    {scan = "L4000123465"}, -- on the date field: the L routes it to the lot
    function()
      expect_text(ROW.date, COL, "DD-MM-YYYY") -- shown while on it; the value is empty
      expect_text(ROW.lot, COL, "4000123465")
      expect_cursor(ROW.location, COL)
    end,
    {type = "dock", key = "complete"},
    "cancel",
  })
  expect_uvs{"20480 ", "-003.00", "15-01-2026", "4000123465", "DOCK"}
end)

test("each check refuses a wrong value with its message, on the field to correct", function()
  operate("receiving.lua", {
    {type = "99999", key = "enter"}, {type = "600", key = "enter"}, {type = "31022026", key = "enter"},
    {type = "4000123450", key = "enter"}, {type = "X-99", key = "complete"},
    {popup = "Not on file"}, -- the part is not in PARTS.VAL
    function() expect_cursor(ROW.part, COL) end,
    {type = "10015", key = "complete"},
    {popup = "Out of range"}, -- the quantity is above 500
    function() expect_cursor(ROW.quantity, COL + 1) end,
    {type = "500", key = "complete"},
    {popup = "Not a valid date"}, -- 31 February
    function() expect_cursor(ROW.date, COL) end,
    {type = "28022026", key = "complete"},
    {popup = "Bad lot number"}, -- a wrong check digit
    function() expect_cursor(ROW.lot, COL) end,
    {type = "5000123454", key = "complete"}, -- a right check digit, but lots here begin with 4
    {popup = "Bad lot number"},
    {type = "4000123473", key = "complete"},
    {popup = "Not on file"}, -- the location is not in B_LOC.VAL
    function() expect_cursor(ROW.location, COL) end,
    {type = "B-02", key = "complete"},
    "cancel",
  })
  expect_log('validation PARTS.VAL 3 "99999" -> 1', 1)
  expect_uvs{"10015 ", " 500.00", "28-02-2026", "4000123473", "B-02", "1"}
end)

test("a value the field cannot take is refused as it is keyed or scanned", function()
  operate("receiving.lua", {
    {scan = "P1000123"}, -- seven characters for a field of six
    {popup = "Scan does not fit"},
    {scan = "4000123457"}, -- no Data ID, and the part field takes none without
    {popup = "Scan not accepted here"},
    "enter",
    {type = "x"}, -- a letter in the quantity
    {popup = "Key not allowed here"},
    "enter", "enter",
    {type = "400012", key = "enter"}, -- a lot of six digits in a fixed field of ten
    {popup = "Fill the whole field / Press Enter"},
    "enter",
    "cancel",
  })
  expect_uv(7, "CANCEL")
end)

test("the help key shows the field's help until Enter", function()
  operate("receiving.lua", {
    "help",
    {popup = "Part number: key it, / or scan its label / (P and the number). / Parts on file: / " ..
             "10001 10002 10015 / 20480 31170 45120 / Press Enter"},
    "enter",
    function()
      expect_row(ROW.part, " Part no.   ______  scan P10001")
      expect_cursor(ROW.part, COL)
    end,
    "cancel",
  })
end)

test("a lot received before is refused and the panel goes back to the lot", function()
  operate("receiving.lua", {
    receipt("10001", "4000123457", "A-01"),
    receipt("10002", "4000123457", "A-02"),
    {popup = "Lot 4000123457 / already received."}, -- the program's own popup
    function()
      expect_text(ROW.part, COL, "10002_")
      expect_text(ROW.lot, COL, "4000123457")
      expect_text(16, 0, " Last: lot 4000123457 refused")
      expect_cursor(ROW.lot, COL)
    end,
    {type = "4123456784", key = "complete"},
    "cancel",
  })
  expect_uvs{"10002 ", [4] = "4123456784", [5] = "A-02", [6] = "2"}
  expect_eq(transactions(), "1 0 1 0")
end)

test("the location stays for the next receipt, and the count starts again each day", function()
  terminal.set_clock("2026-01-15 23:59:30")
  operate("receiving.lua", {
    receipt("10001", "4000123457", "C-01"),
    function()
      expect_text(ROW.location, COL, "C-01")
      expect_row(15, " Receipts today: 1")
    end,
    {type = "31170", key = "enter"}, {type = "1", key = "enter"}, "enter", {type = "4000123465", key = "complete"},
    function()
      expect_row(15, " Receipts today: 2")
      terminal.set_clock("2026-01-16 00:00:05") -- within the panel's time-out
    end,
    {type = "45120", key = "enter"}, {type = "1", key = "enter"}, "enter", {type = "4310000072", key = "complete"},
    function()
      expect_row(15, " Receipts today: 1")
      expect_text(0, 31, "16.01.26")
    end,
    "cancel",
  })
  expect_uvs{[3] = "16-01-2026", [5] = "C-01"}
  expect_row(3, " Receiving closed.")
  expect_row(5, " Receipts today: 1")
end)

test("cancel closes receiving and stores nothing", function()
  operate("receiving.lua", {{type = "10001", key = "enter"}, {type = "7"}, "cancel"})
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
  operate("receiving.lua", {
    {type = "10001", key = "enter"}, {type = "2"},
    {wait = 61},
    {popup = "Time is up"},
    function()
      expect_uv(7, "TIMEOUT")
      expect_uv(1, "")
      expect_text(ROW.part, COL, "______")
      expect_text(ROW.quantity, COL, "_______")
      expect_row(16, " Last: timed out, receipt dropped")
      expect(terminal.now() - start > 60, "a minute went by")
    end,
    "cancel",
  })
  expect_eq(transactions(), "0 0")
end)
