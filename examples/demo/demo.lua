-- demo.lua - a first look at the panel driver on the simulated terminal.
--
--   formsterm run examples/demo/demo.lua
--
-- The first field definition after loading shows the title banner; a
-- command the driver does not know shows the error report "M1", which
-- waits for a key.
terminal.uv[5] = "FI=1 INPUT=NUM LEN=5 ROW=3 COL=1"
forms.run("SET_FIE VAR=5")
forms.run("HELLO")
