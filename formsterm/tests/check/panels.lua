-- panels.lua - a program for the check's --program run: two fields that
-- write one user variable, then a failure after the panel.
forms.field("FI=1 INPUT=ALPHA LEN=6 ROW=4 COL=13 RUV=4")
forms.field("FI=2 INPUT=NUM LEN=5 ROW=6 COL=13 RUV=4")
forms.panel("T=30 RAESON=2")
error("the program stops here")
