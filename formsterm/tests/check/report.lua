-- report.lua - a program for the check's --program run whose first command
-- meets an error report, so that no panel starts: the report is a finding,
-- and the file's own panels are still checked.
forms.run("SET_FIE HELP=34")
