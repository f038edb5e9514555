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
