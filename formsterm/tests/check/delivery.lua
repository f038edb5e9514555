-- delivery.lua - a program for the check's --program run: the delivery
-- panel of delivery.VAL, its fields and options from the help file.
for record = 31, 36 do
  forms.run("SET_FIE HELP=" .. record)
end
forms.run("EXEC_PA HELP=20")
