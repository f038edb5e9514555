-- receiving.lua - goods receiving: a transaction program for the panel driver.
--
--   formsterm run examples/receiving/receiving.lua
--
-- One panel per receipt: part number, quantity, date received, lot number
-- and storage location. The fields and the panel options are records of
-- HELP.VAL (SET_FIE HELP=n, EXEC_PA HELP=n), and so are every operator
-- message, the help texts of the help key and the range bounds. PARTS.VAL is
-- the validation file of the part numbers; B_LOC.VAL, a local value file,
-- lists the locations.
--
-- Two things to mind in such records: the driver finds a keyword at the
-- first place its characters occur, so a field's Data ID ("DI=P") stands
-- before "KEEPDI=" and "MANDI=", and the time-out ("T=60") before "ERET=".
--
-- After a completed panel the program asks CHKUNIQ whether the lot was
-- received before (a repeated lot goes back to the panel, at the lot
-- field), counts the receipt with DICOUNT and sets the transaction flag with
-- TRANMSG. It loops for the next receipt until the operator cancels; a
-- panel left alone for a minute times out and starts again empty.
--
-- User variables: 1 part, 2 quantity, 3 date, 4 lot, 5 location (the values
-- of the last completed panel, padded to their field lengths), 6 receipts
-- today, 7 how the last panel ended (OK, CANCEL or TIMEOUT), 8 and 9 the
-- clock's time and date (TM_DATE), 11 to 14 the values a new receipt starts
-- with for part, quantity, date and lot (empty here).

local UV_LOT, UV_LOCATION = 4, 5
local UV_COUNT, UV_REASON, UV_TIME, UV_TODAY = 6, 7, 8, 9
local UV_STARTING_VALUES = {11, 12, 13, 14}
local RECEIPTS = 1 -- the DICOUNT counter
local LOTS = 1 -- the CHKUNIQ list

-- HELP.VAL records of the field definitions and of the two option texts.
local FIELD_RECORDS = {31, 32, 33, 34, 35}
local NEW_RECEIPT, BACK_TO_LOT = 20, 21

-- The utility commands (TM_DATE, DICOUNT, CHKUNIQ, TRANMSG, POPUPWN,
-- V_DELAY) take their arguments at fixed positions of the command string;
-- formsterm's builders (forms.tm_date{...} and so on) put them there.

local function trimmed(text) return (text or ""):match("^(.-)%s*$") end

-- The screen. The driver draws the fields over whatever the display holds,
-- so the program writes the labels first (on the device with its own
-- display statement; here through terminal.put_text).
local LABELS = {
  {0, 1, "GOODS RECEIVING"},
  {1, 0, string.rep("=", 40)},
  {3, 1, "Part no."}, {3, 20, "scan P10001"},
  {5, 1, "Quantity"}, {5, 21, "-50 to 500"},
  {7, 1, "Received"}, {7, 24, "empty: today"},
  {9, 1, "Lot no."}, {9, 24, "check digit"},
  {11, 1, "Location"}, {11, 18, "A-01 .. DOCK"},
  {14, 0, string.rep("-", 40)},
  {18, 1, "F10 book  F1 help  F6 scan  Esc close"},
}

local function write_row(row, text) terminal.put_text(row, 0, text .. string.rep(" ", 40 - #text)) end

local function draw_screen(last_receipt)
  for row = 0, 19 do write_row(row, "") end
  for _, label in ipairs(LABELS) do terminal.put_text(label[1], label[2], label[3]) end
  terminal.put_text(0, 31, terminal.uv[UV_TODAY])
  write_row(15, " Receipts today: " .. terminal.uv[UV_COUNT])
  write_row(16, " Last: " .. last_receipt)
end

-- Today's date into variable 9 (TM_DATE, 24-hour clock, DD.MM.YY); on a new
-- day the receipt counter starts again. The count goes into variable 6.
local counted_day
local function refresh_day()
  forms.tm_date{time = UV_TIME, date = UV_TODAY, hours = 24, style = "EURO"}
  local today = terminal.uv[UV_TODAY]
  if counted_day ~= today then
    forms.dicount{op = "R", counter = RECEIPTS}
    counted_day = today
  end
  forms.dicount{op = "S", counter = RECEIPTS, var = UV_COUNT}
end

local function count_receipt()
  refresh_day()
  forms.dicount{op = "I", counter = RECEIPTS}
  forms.dicount{op = "S", counter = RECEIPTS, var = UV_COUNT}
end

-- 1 when the lot in variable 4 is new among the last ten lots (and now
-- remembered), 0 when it was received before.
local function lot_is_new()
  return forms.chkuniq{op = "V", var = UV_LOT, list = LOTS} == 1
end

local function transaction(send) forms.tranmsg{send = send} end

-- A message of the program's own in the driver's popup window, for about
-- two and a half seconds (V_DELAY 47: 125 waits of 20 ms; cancel ends it).
local function popup(lines)
  forms.popupwn{op = "C", lines = #lines}
  for i, line in ipairs(lines) do terminal.put_text(1 + i, 3, line:sub(1, 22)) end
  forms.v_delay{count = 47}
  forms.popupwn{op = "R"}
end

-- Every field is prefilled (PUV=): part, quantity, date and lot from
-- variables 11 to 14, the location from variable 5, so that it stays from
-- the last receipt. A prefilled field is drawn with its value when a panel
-- starts and keeps it, so the panel run again without new definitions
-- shows what the operator entered.
local function define_fields()
  for _, record in ipairs(FIELD_RECORDS) do forms.run("SET_FIE HELP=" .. record) end
end

local function closing_screen()
  for row = 0, 19 do write_row(row, "") end
  terminal.put_text(0, 1, "GOODS RECEIVING")
  terminal.put_text(1, 0, string.rep("=", 40))
  terminal.put_text(3, 1, "Receiving closed.")
  terminal.put_text(5, 1, "Receipts today: " .. terminal.uv[UV_COUNT])
end

local function receive()
  for _, n in ipairs(UV_STARTING_VALUES) do terminal.uv[n] = "" end
  terminal.uv[UV_LOCATION] = ""
  local last_receipt, options = "none", NEW_RECEIPT
  while true do
    refresh_day()
    draw_screen(last_receipt)
    if options == NEW_RECEIPT then define_fields() end
    local completed = forms.run("EXEC_PA HELP=" .. options) == 1
    local reason = trimmed(terminal.uv[UV_REASON])
    local lot = trimmed(terminal.uv[UV_LOT])
    if completed and lot_is_new() then
      count_receipt()
      transaction(true)
      last_receipt = "lot " .. lot .. " booked"
      options = NEW_RECEIPT
    elseif completed then
      transaction(false)
      popup{"Lot " .. lot, "already received."}
      last_receipt = "lot " .. lot .. " refused"
      options = BACK_TO_LOT
    elseif reason == "TIMEOUT" then
      transaction(false)
      last_receipt = "timed out, receipt dropped"
      options = NEW_RECEIPT
    else
      transaction(false)
      closing_screen()
      return
    end
  end
end

receive()
