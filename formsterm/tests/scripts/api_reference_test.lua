-- api_reference_test.lua - the API reference (doc/api.txt, `formsterm help
-- api`) names every function of forms, terminal, the checks and the
-- operator, each entry with a one-line example.

local here = debug.getinfo(1, "S").source:match("^@(.*[/\\])") or ""
local file = assert(io.open(here .. "../../doc/api.txt"))
local lines = {}
for line in file:lines() do lines[#lines + 1] = line end
file:close()

-- The entries: a line at column 0 followed by an indented line.
local entries = {}
for i, line in ipairs(lines) do
  if line:match("^%S") and not line:match("^=") and (lines[i + 1] or ""):match("^  %S") then
    entries[#entries + 1] = i
  end
end

local function documented(name)
  for _, i in ipairs(entries) do
    if lines[i]:sub(1, #name + 1):match("^" .. name:gsub("%.", "%%.") .. "[%(%[{, ]") then return true end
  end
  return false
end

test("every function is in the reference", function()
  local missing = {}
  for table_name, functions in pairs{forms = forms, terminal = terminal} do
    for name in pairs(functions) do
      if not documented(table_name .. "." .. name) then missing[#missing + 1] = table_name .. "." .. name end
    end
  end
  for _, name in ipairs{"test", "expect", "expect_eq", "expect_row", "expect_text", "expect_screen_has",
                        "expect_cursor", "expect_uv", "expect_log", "expect_golden", "expect_report", "operate",
                        "print", "KEY.ENTER"} do
    if not documented(name) then missing[#missing + 1] = name end
  end
  table.sort(missing)
  expect_eq(table.concat(missing, " "), "", "functions missing from doc/api.txt")
end)

test("every entry has a one-line example", function()
  for _, i in ipairs(entries) do
    local j, example = i + 1, false
    while (lines[j] or ""):match("^  ") do
      example = example or lines[j]:match("^  e%.g%. ") ~= nil
      j = j + 1
    end
    expect(example, "no example for: " .. lines[i])
  end
end)

-- Each builder's argument names (from its "it takes" error) and the letters
-- each argument accepts (from its "must be one of" errors, met one by one
-- while the others are made valid) stand in its entry of the reference.
test("every builder option and value is in the reference", function()
  local missing = {}
  for _, builder in ipairs{"tm_date", "dicount", "popupwn", "tranmsg", "chkuniq", "v_delay", "wait_uv", "compare",
                           "cmp_int", "intmath"} do
    local entry = ""
    for _, i in ipairs(entries) do
      if lines[i]:match("^forms%." .. builder .. "{") then entry = lines[i] end
    end
    local _, takes = pcall(forms[builder], {no_such_argument = 1})
    local args = {}
    for name in tostring(takes):match("it takes ([^)]*)"):gmatch("[%w_]+") do
      args[name] = 1
      if not entry:find(name .. " =", 1, true) then missing[#missing + 1] = builder .. " " .. name end
    end
    for _ = 1, 10 do
      local ok, err = pcall(forms[builder], args)
      if ok then break end
      local key, choices = tostring(err):match("(%w+) must be one of ([^,]+[^n]*), not")
      local number, low = tostring(err):match("(%w+) must be a whole number from (%-?%d+)")
      local boolean = tostring(err):match("(%w+) must be true or false")
      if key then
        for choice in choices:gmatch("[^, ]+") do
          if not entry:find('"' .. choice .. '"', 1, true) then missing[#missing + 1] = builder .. " " .. key .. " " .. choice end
        end
        args[key] = choices:match("[^, ]+")
      elseif number then
        args[number] = tonumber(low)
      elseif boolean then
        args[boolean] = true
      else
        break
      end
    end
  end
  expect_eq(table.concat(missing, "; "), "", "builder options missing from doc/api.txt")
end)
