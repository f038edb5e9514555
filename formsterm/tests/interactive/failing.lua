-- failing.lua - fails after the first key, while the terminal is in curses
-- mode: the error must reach the shell with the terminal given back.
forms.run("NOTHING")
local broken = nil
broken.call()
