-- A script whose top level fails before it registers its tests.
test("never run", function() end)
terminal.uv[5] = {}
