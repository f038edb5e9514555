-- hang_test.lua - a test that calls the library, then loops for ever: run
-- under a time limit that kills it, its report still holds the steps up to
-- the hang and names how it ended.
test("a test that never ends", function()
  forms.tm_date{time = 8, date = 9}
  while true do end
end)
