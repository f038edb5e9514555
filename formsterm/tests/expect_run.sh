#!/usr/bin/env bash
# expect_run.sh STATUS EXPECTED COMMAND... - runs COMMAND and checks that it
# exits with STATUS (a number, or "nonzero") and that its output, standard
# output and error together, holds every line of the file EXPECTED as a
# fixed string. In EXPECTED, @SCRIPT@ stands for the value of $SCRIPT.
set -u
status=$1
expected=$2
shift 2
output=$("$@" 2>&1)
actual=$?
failed=0
if [ "$status" = nonzero ]; then
  [ "$actual" -ne 0 ] || { echo "expected a non-zero exit status, got 0"; failed=1; }
else
  [ "$actual" -eq "$status" ] || { echo "expected exit status $status, got $actual"; failed=1; }
fi
while IFS= read -r line || [ -n "$line" ]; do
  [ -n "$line" ] || continue
  line=${line//@SCRIPT@/${SCRIPT:-}}
  grep -qF -- "$line" <<<"$output" || { echo "missing from the output: $line"; failed=1; }
done <"$expected"
if [ "$failed" -ne 0 ]; then
  echo "---- output of: $*"
  echo "$output"
fi
exit "$failed"
