-- prelude.lua - the parts of formsterm's Lua API written in Lua itself:
-- terminal.steps, and the builders of the commands that take their
-- arguments at fixed positions of the command string.

-- terminal.steps{fn, fn, ...}: the library's idle waits run the functions
-- in turn, one per wait; after the last one the hook is gone.
function terminal.steps(list)
  local i = 0
  terminal.on_idle(function()
    i = i + 1
    if list[i] then list[i]() end
    if i >= #list then terminal.on_idle(nil) end
  end)
end

-- A builder checks its named arguments against a table of rules, puts each
-- at its position (counted from 0 at the first of the two length digits)
-- and runs the command; it returns main's result and the command string.
-- level 3: the script line that called the builder; helpers of the
-- builders pass 4.
local function fail(name, text, level) error("forms." .. name .. ": " .. text, level or 3) end

local function check_names(name, args, rules)
  if type(args) ~= "table" then fail(name, "takes a table of named arguments, e.g. forms." .. name .. "{...}", 4) end
  for key in pairs(args) do
    if rules[key] == nil then
      local names = {}
      for known in pairs(rules) do names[#names + 1] = known end
      table.sort(names)
      fail(name, "no argument named " .. tostring(key) .. " (it takes " .. table.concat(names, ", ") .. ")", 4)
    end
  end
end

local function number_in(name, args, key, low, high, default)
  local value = args[key]
  if value == nil then value = default end
  if value == nil then fail(name, key .. " is missing (" .. low .. " to " .. high .. ")", 4) end
  if math.type(value) ~= "integer" or value < low or value > high then
    fail(name, key .. " must be a whole number from " .. low .. " to " .. high .. ", not " .. tostring(value), 4)
  end
  return value
end

local function one_of(name, args, key, choices, default)
  local value = args[key]
  if value == nil then value = default end
  if type(value) == "string" then
    for _, choice in ipairs(choices) do
      if value:upper() == choice then return choice end
    end
  end
  if value == nil then fail(name, key .. " is missing (" .. table.concat(choices, ", ") .. ")", 4) end
  fail(name, key .. " must be one of " .. table.concat(choices, ", ") .. ", not " .. tostring(value), 4)
end

-- Puts the pieces at their positions; pads with blanks up to the length
-- the command asks for (it counts the characters after the two digits).
local function fixed(command, pieces, length)
  local chars = {}
  for i = 1, length + 2 do chars[i] = " " end
  local function put(position, text)
    for i = 1, #text do chars[position + i] = text:sub(i, i) end
  end
  put(2, command)
  for position, text in pairs(pieces) do put(position, text) end
  local text = table.concat(chars)
  text = string.format("%02d", #text - 2) .. text:sub(3)
  return forms.main(3, text), text
end

local function two(n) return string.format("%02d", n) end

local VARIABLE = {1, 99}

function forms.tm_date(args)
  check_names("tm_date", args, {time = 1, date = 1, hours = 1, style = 1})
  local time = number_in("tm_date", args, "time", 1, 19)
  local date = number_in("tm_date", args, "date", 1, 19)
  local hours = number_in("tm_date", args, "hours", 12, 24, 24)
  if hours ~= 12 and hours ~= 24 then fail("tm_date", "hours must be 12 or 24, not " .. hours) end
  local style = one_of("tm_date", args, "style", {"EURO", "AMER"}, "EURO")
  return fixed("TM_DATE", {[10] = tostring(hours), [30] = two(time), [35] = style, [52] = two(date)}, 52)
end

function forms.dicount(args)
  check_names("dicount", args, {counter = 1, op = 1, var = 1})
  local op = one_of("dicount", args, "op", {"I", "D", "R", "S"})
  local counter = number_in("dicount", args, "counter", 1, 32)
  local pieces = {[10] = op, [20] = two(counter)}
  if op == "S" or args.var ~= nil then
    pieces[31] = two(number_in("dicount", args, "var", 1, 19))
    return fixed("DICOUNT", pieces, 32)
  end
  return fixed("DICOUNT", pieces, 21)
end

function forms.popupwn(args)
  check_names("popupwn", args, {op = 1, lines = 1, highlight = 1})
  local op = one_of("popupwn", args, "op", {"C", "R"})
  if op == "R" then
    if args.lines ~= nil or args.highlight ~= nil then fail("popupwn", "op R takes no lines or highlight") end
    return fixed("POPUPWN", {[10] = "R"}, 9)
  end
  local lines = number_in("popupwn", args, "lines", 1, 16)
  if args.highlight ~= nil and type(args.highlight) ~= "boolean" then
    fail("popupwn", "highlight must be true or false, not " .. tostring(args.highlight))
  end
  return fixed("POPUPWN", {[10] = "C", [16] = two(lines), [24] = args.highlight == false and "N" or "Y"}, 23)
end

function forms.tranmsg(args)
  check_names("tranmsg", args, {send = 1})
  if type(args.send) ~= "boolean" then fail("tranmsg", "send must be true or false, not " .. tostring(args.send)) end
  return fixed("TRANMSG", {[10] = args.send and "Y" or "N"}, 10)
end

function forms.chkuniq(args)
  check_names("chkuniq", args, {op = 1, var = 1, list = 1})
  local op = one_of("chkuniq", args, "op", {"V", "R"}, "V")
  local list = tostring(number_in("chkuniq", args, "list", 1, 2))
  if op == "R" then
    if args.var ~= nil then fail("chkuniq", "op R takes no var") end
    return fixed("CHKUNIQ", {[10] = "R", [23] = list}, 22)
  end
  local var = number_in("chkuniq", args, "var", VARIABLE[1], VARIABLE[2])
  return fixed("CHKUNIQ", {[10] = "V", [14] = two(var), [25] = list}, 24)
end

function forms.v_delay(args)
  check_names("v_delay", args, {count = 1})
  local count = number_in("v_delay", args, "count", 0, 99999)
  return fixed("V_DELAY", {[10] = tostring(count)}, 8 + #tostring(count))
end

function forms.wait_uv(args)
  check_names("wait_uv", args, {var = 1, seconds = 1})
  local var = number_in("wait_uv", args, "var", VARIABLE[1], VARIABLE[2])
  local seconds = number_in("wait_uv", args, "seconds", 0, 999)
  return fixed("WAIT_UV", {[14] = two(var), [21] = string.format("%03d", seconds)}, 22)
end

local RELATIONS = {"E", "N", "GE", "GT", "LE", "LT"}

function forms.compare(args)
  check_names("compare", args, {a = 1, relation = 1, b = 1, style = 1})
  local a = number_in("compare", args, "a", VARIABLE[1], VARIABLE[2])
  local relation = one_of("compare", args, "relation", RELATIONS)
  local b = number_in("compare", args, "b", VARIABLE[1], VARIABLE[2])
  local style = one_of("compare", args, "style", {"S", "N"}, "S")
  return fixed("COMPARE", {[14] = two(a), [18] = relation, [25] = two(b), [37] = style}, 36)
end

function forms.cmp_int(args)
  check_names("cmp_int", args, {a = 1, relation = 1, b = 1, style = 1})
  local a = number_in("cmp_int", args, "a", VARIABLE[1], VARIABLE[2])
  local relation = one_of("cmp_int", args, "relation", RELATIONS)
  local b = number_in("cmp_int", args, "b", VARIABLE[1], VARIABLE[2])
  local style = one_of("cmp_int", args, "style", {"S", "N", "A"}, "S")
  return fixed("CMP_INT", {[12] = two(a), [16] = relation, [21] = two(b), [30] = style}, 29)
end

function forms.intmath(args)
  check_names("intmath", args, {a = 1, op = 1, b = 1})
  local a = number_in("intmath", args, "a", VARIABLE[1], VARIABLE[2])
  local op = one_of("intmath", args, "op", {"+", "-", "*", "/"})
  local b = number_in("intmath", args, "b", VARIABLE[1], VARIABLE[2])
  return fixed("INTMATH", {[12] = two(a), [16] = op, [20] = two(b)}, 21)
end
