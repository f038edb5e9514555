-- A script that does not compile.
test("never registered", function()
  forms.run("NOTHING"
end)
