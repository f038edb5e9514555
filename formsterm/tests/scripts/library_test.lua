-- library_test.lua - the `forms` table: the entry point, command strings,
-- and a freshly loaded library for every test.

local FIELD = "FI=1 INPUT=NUM LEN=5 ROW=3 COL=1"

-- Runs fn and returns whether the title banner was on the display while the
-- library waited.
local function banner_during(fn)
  local seen = false
  terminal.on_idle(function()
    if terminal.row(2):find("ZEB Panel Driver 1.43", 1, true) then seen = true end
  end)
  fn()
  terminal.on_idle(nil)
  return seen
end

-- Runs fn, which must raise an error, and returns the error text.
local function error_of(fn)
  local ok, err = pcall(fn)
  expect(not ok, "an error was expected")
  return err
end

test("an unknown command shows the error report M1 and waits for a key", function()
  expect_report("M1")
  local waited = false
  terminal.on_idle(function()
    waited = true
    expect_row(0, "Bad CZEB(M1):07NOTHING")
    expect_row(1, "Press any key to continue")
    terminal.key("enter")
  end)
  expect_eq(forms.run("NOTHING"), 0)
  expect(waited, "the report waits for a key")
  expect_eq(forms.last_result(), 0)
end)

test("forms.run adds the two length digits; forms.main passes the string as it is", function()
  expect_report("M1", 2) -- an unknown command: the key wait these tests use
  terminal.key(KEY.ENTER)
  forms.run("UNKNOWN 12345")
  expect_text(0, 13, "13UNKNOWN 1234")
  terminal.key(KEY.ENTER)
  forms.main(3, "99ABCDEFGHIJ")
  expect_text(0, 13, "99ABCDEFGHIJ")
end)

test("forms.run refuses a text over 99 characters and takes one of 99", function()
  expect_report("M1") -- an unknown command: the key wait these tests use
  local err = error_of(function() forms.run(string.rep("X", 100)) end)
  expect(err:find("library_test.lua:%d+: forms.run: a command text of 100 characters"), err)
  terminal.key("enter")
  forms.run(string.rep("X", 99))
  expect_text(0, 9, "M1):99XXXX")
end)

test("function codes other than 3 answer 0", function()
  for _, code in ipairs({0, 1, 2, 4, 4, 7, -1}) do
    expect_eq(forms.main(code), 0, "main(" .. code .. ")")
  end
  expect_eq(forms.reset(), 0)
  expect_eq(forms.toggle_debug(), 0)
  expect_eq(forms.toggle_debug(), 0)
  expect_row(0, "")
end)

test("a command string that is missing altogether is an unknown command", function()
  expect_report("M1") -- an unknown command: the key wait these tests use
  terminal.key("enter")
  expect_eq(forms.main(3), 0)
  expect_row(0, "Bad CZEB(M1):")
end)

test("the first field definition shows the banner, the second does not", function()
  terminal.uv[5] = FIELD
  expect(banner_during(function() forms.run("SET_FIE VAR=5") end), "banner on the first SET_FIE")
  expect(not banner_during(function() forms.run("SET_FIE VAR=5") end), "no banner on the second")
  expect_row(2, "")
end)

test("every test starts with a freshly loaded library", function()
  -- The test before this one showed the banner; this library has not yet.
  terminal.uv[5] = FIELD
  expect(banner_during(function() forms.run("SET_FIE VAR=5") end), "banner again")
end)

test("forms.reload and the reset code both bring the banner back", function()
  terminal.uv[5] = FIELD
  forms.run("SET_FIE VAR=5")
  forms.reset()
  expect(banner_during(function() forms.run("SET_FIE VAR=5") end), "after main(0)")
  forms.reload()
  expect(banner_during(function() forms.run("SET_FIE VAR=5") end), "after reloading")
  expect(not banner_during(function() forms.run("SET_FIE VAR=5") end), "once only")
end)

test("forms.field puts the definition into a user variable for SET_FIE", function()
  expect(banner_during(function() forms.field(FIELD) end), "SET_FIE ran")
  expect_uv(99, FIELD)
  forms.field("FI=2 INPUT=ALPHA LEN=3 ROW=4 COL=1", 40)
  expect_uv(40, "FI=2 INPUT=ALPHA LEN=3 ROW=4 COL=1")
end)

test("a command that waits for input nobody gives starves, naming the command", function()
  expect_report("M1") -- an unknown command: the key wait these tests use
  local err = error_of(function() forms.run("NOTHING") end)
  expect(err:find('the command "NOTHING" starved: the library waited for an event', 1, true), err)
  expect(err:find("|Bad CZEB(M1):07NOTHING", 1, true), "the message shows the screen")
end)

test("a failing callback cuts the command short and names both places", function()
  expect_report("M1") -- an unknown command: the key wait these tests use
  terminal.on_idle(function() expect_row(0, "something else") end)
  local err = error_of(function() forms.run("NOTHING") end)
  -- the cause first, then the command it cut short
  expect(err:find('library_test.lua:%d+: row 0 reads "Bad CZEB%(M1%):07NOTHING", expected "something else"\n.*'
                  .. '%(the command "NOTHING" was cut short%)'), err)
end)

test("callbacks cannot call the library while it runs a command", function()
  expect_report("M1") -- an unknown command: the key wait these tests use
  terminal.on_idle(function() forms.run("NOTHING") end)
  local err = error_of(function() forms.run("NOTHING") end)
  expect(err:find("cannot be used while the library runs a command", 1, true), err)
end)

test("test() registers tests at the top level only", function()
  local err = error_of(function() test("inner", function() end) end)
  expect(err:find("at the top level", 1, true), err)
end)

test("forms.library names the loaded library", function()
  expect(forms.library():find("libforms.so", 1, true), forms.library())
end)
