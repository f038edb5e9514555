-- terminal_test.lua - the `terminal` table: user variables, input queues,
-- the virtual clock, files and the signal log.

local function error_of(fn)
  local ok, err = pcall(fn)
  expect(not ok, "an error was expected")
  return err
end

test("user variables are read and written through terminal.uv", function()
  expect_eq(terminal.uv[5], "")
  terminal.uv[5] = "HELLO"
  expect_eq(terminal.uv[5], "HELLO")
  terminal.uv[6] = 42
  expect_uv(6, "42")
  expect_eq(terminal.uv[100], nil, "variables 1 to 99 exist on a new terminal")
  terminal.uv[100] = "X"
  expect_eq(terminal.uv[100], "X")
  terminal.uv[100] = nil
  expect_uv(100, nil)
  expect_eq(terminal.variables()[6], "42")
  expect(error_of(function() terminal.uv.x = 1 end):find("terminal.uv", 1, true))
end)

test("each test starts with a fresh terminal", function()
  expect_eq(terminal.uv[5], "")
  expect_eq(terminal.uv[100], nil)
  expect_eq(terminal.pending_keys(), 0)
  expect_eq(#terminal.log(), 0)
  expect_eq(terminal.time_text(), "2026-01-15 10:00:00")
end)

test("keys are queued by code, by name or as typed text", function()
  terminal.keys{13, "enter", "Cancel", "next", "previous", "complete", "blank", "backspace", "help",
                "left", "right", "x"}
  terminal.key(KEY.HELP)
  terminal.type("123")
  expect_eq(terminal.pending_keys(), 16)
  expect(error_of(function() terminal.key("nokey") end):find('no key named "nokey"', 1, true))
  expect(error_of(function() terminal.key(70000) end):find("not 0 to 65535", 1, true))
  expect_eq(KEY.ENTER + KEY.CANCEL + KEY.PREVIOUS + KEY.COMPLETE + KEY.BLANK + KEY.BACKSPACE + KEY.NEXT,
            13 + 256 + 512 + 768 + 1024 + 1280 + 1536)
  expect_eq(KEY.HELP, 15104)
  expect_eq(KEY.LEFT, 174)
  expect_eq(KEY.RIGHT, 175)
end)

test("a queued key ends a key wait; each key is taken once", function()
  expect_report("M1") -- an unknown command: the key wait these tests use
  terminal.keys{"enter", "enter"}
  forms.run("NOTHING")
  expect_eq(terminal.pending_keys(), 1)
end)

test("scans are queued as sensor records", function()
  terminal.scan("P123")
  terminal.scan("X", 21)
  terminal.sensor_record("\0\0\3ABC")
  expect_eq(terminal.pending_scans(), 3)
  expect(error_of(function() terminal.scan(string.rep("9", 98)) end):find("97 characters", 1, true))
end)

test("a wait of thirty virtual seconds costs no wall time", function()
  expect_report("M1") -- an unknown command: the key wait these tests use
  local wall = os.time()
  local start = terminal.now()
  terminal.at(30, function() terminal.key("enter") end)
  forms.run("NOTHING")
  expect_eq(terminal.now() - start, 30.0)
  expect(os.time() - wall < 5, "virtual time")
  expect_eq(terminal.time_text(), "2026-01-15 10:00:30")
end)

test("scheduled events run in time order, while the library waits", function()
  expect_report("M1") -- an unknown command: the key wait these tests use
  local order = {}
  terminal.at(20, function() order[#order + 1] = "b"; terminal.key("enter") end)
  terminal.at(10, function() order[#order + 1] = "a" end)
  forms.run("NOTHING")
  expect_eq(table.concat(order), "ab")
end)

test("the idle hook sees the screen settled mid-command", function()
  expect_report("M1") -- an unknown command: the key wait these tests use
  local rows = {}
  terminal.on_idle(function()
    rows[#rows + 1] = terminal.row(1)
    terminal.key("enter")
  end)
  forms.run("NOTHING")
  expect_eq(#rows, 1)
  expect_eq(rows[1]:sub(1, 25), "Press any key to continue")
end)

test("the clock can be set, read and advanced", function()
  terminal.set_clock("2024-02-29 23:59:50")
  expect_eq(terminal.time_text(), "2024-02-29 23:59:50")
  terminal.advance(15)
  local c = terminal.clock()
  expect_eq(c.month * 100 + c.day, 301)
  expect_eq(c.second, 5)
  terminal.set_clock{year = 2030, month = 12, day = 31}
  expect_eq(terminal.time_text(), "2030-12-31 00:00:00")
  expect(error_of(function() terminal.set_clock("2023-02-29") end):find("is not a date", 1, true))
  expect(error_of(function() terminal.set_clock("tomorrow") end):find("YYYY-MM-DD", 1, true))
end)

test("advancing the clock runs the events that fall due", function()
  local ran = 0
  terminal.at(5, function() ran = ran + 1 end)
  terminal.at(50, function() ran = ran + 10 end)
  terminal.advance(10)
  expect_eq(ran, 1)
  terminal.at(1, function() expect(false, "broken event") end)
  local err = error_of(function() terminal.advance(2) end)
  expect(err:find("a callback failed while the clock advanced", 1, true), err)
end)

test("the data files of the script's folder are loaded, scripts are not", function()
  expect(terminal.has_file("B_PARTS.VAL"), "value file")
  expect(terminal.has_file("b_parts.val"), "names are found in any case")
  expect(not terminal.has_file("terminal_test.lua"), "no scripts")
  terminal.remove_file("B_PARTS.VAL")
  expect(not terminal.has_file("B_PARTS.VAL"))
  terminal.reset()
  expect(terminal.has_file("B_PARTS.VAL"), "a reset terminal gets the folder's files again")
end)

test("files and help files are added by scripts", function()
  terminal.add_file("B_COLOURS.VAL", "BLUE\nRED\n")
  expect(terminal.has_file("B_COLOURS.VAL"))
  terminal.help_file({[16] = "Press Enter", [1] = "Checking"})
  expect(terminal.has_file("HELP.VAL"))
  terminal.help_file({[2] = "x"}, "OTHER.HLP")
  expect(terminal.has_file("OTHER.HLP"))
  expect(error_of(function() terminal.help_file({[10000] = "x"}) end):find("0 to 9999", 1, true))
  expect(terminal.load_directory("golden") >= 3, "the golden folder holds files")
end)

test("the display can be written and read cell by cell", function()
  terminal.put_text(5, 38, "ABCD")
  expect_text(5, 38, "AB")
  local ch, attr = terminal.cell(5, 39)
  expect_eq(ch, "B")
  expect_eq(attr, 0)
  expect_eq(terminal.attributes(5), string.rep("0", 40))
  expect_eq(#terminal.screen(), 20 * 41)
  local row, col, kind = terminal.cursor()
  expect_eq(row + col + kind, 0)
  expect(error_of(function() terminal.row(20) end):find("off the display", 1, true))
  expect_screen_has("AB")
end)

test("the signal log, waits and call counts are readable", function()
  expect_report("M1") -- an unknown command: the key wait these tests use
  expect_eq(terminal.transaction_flag(), nil)
  expect_eq(terminal.last_beep(), nil)
  expect_eq(terminal.last_led(), nil)
  terminal.key("enter")
  forms.run("NOTHING")
  expect(terminal.calls("_KbdReadAscii") >= 1)
  expect_eq(terminal.calls("_SpkBeep"), 0)
  expect_eq(terminal.count_log("beep"), 0)
  expect_log("beep", 0)
  terminal.clear_log()
  terminal.clear_waits()
  expect_eq(#terminal.waits(), 0)
  expect_eq(#terminal.log(true), 0)
end)

test("a stop request that a key wait ignores ends in starvation, not a hang", function()
  expect_report("M1") -- an unknown command: the key wait these tests use
  terminal.request_stop()
  expect(terminal.stop_requested())
  local ok, err = pcall(forms.run, "NOTHING")
  expect(not ok)
  expect(err:find("in spite of a stop request", 1, true), err)
end)

test("os.exit is refused: a script ends by returning", function()
  local ok, err = pcall(os.exit, 1)
  expect(not ok)
  expect(err:find("os.exit is not available", 1, true), err)
end)

test("a scan that a key wait leaves unread does not hold up the idle hook", function()
  expect_report("M1") -- an unknown command: the key wait these tests use
  terminal.steps{function() terminal.scan("P1") end, function() terminal.key("enter") end}
  expect_eq(forms.run("NOTHING"), 0, "the error report ends with the Enter of the second step")
  expect_eq(terminal.pending_scans(), 1)
end)

test("terminal.steps answers the library's waits in turn", function()
  expect_report("M1", 3) -- an unknown command: the key wait these tests use
  local seen = {}
  terminal.steps{
    function() seen[#seen + 1] = terminal.row(0):sub(1, 12); terminal.key("enter") end,
    function() seen[#seen + 1] = terminal.row(0):sub(14, 21); terminal.key("enter") end,
  }
  forms.run("FIRST")
  forms.run("SECOND")
  expect_eq(table.concat(seen, "/"), "Bad CZEB(M1)/06SECOND")
  local ok, err = pcall(forms.run, "THIRD")
  expect(not ok and err:find("starved", 1, true), "no steps left")
end)
