#!/usr/bin/env bash
# bad_input.sh FORMSTERM PASSING_SCRIPT WORK_DIR - the report under bad
# conditions: a report folder that cannot be written is an error before the
# tests run and leaves their exit status alone; a test killed at its time
# limit still leaves a report of its steps that names the end.
set -u
formsterm=$1
passing=$2
work=$3
here=$(cd "$(dirname "$0")" && pwd)
fail() { echo "bad_input: $*" >&2; exit 1; }
rm -rf "$work" && mkdir -p "$work" && cd "$work" || exit 1

touch not_a_folder
"$formsterm" test --report not_a_folder/report "$passing" >out.txt 2>&1
status=$?
[ "$status" = 0 ] || { cat out.txt; fail "the tests passed, yet the exit status is $status"; }
head -1 out.txt | grep -q "^formsterm test: --report: cannot create the report folder not_a_folder/report" ||
  { cat out.txt; fail "no clear error before the tests"; }
grep -q "passed, 0 failed" out.txt || fail "the tests did not run"
echo "ok   an unwritable report folder: an error first, the tests' status kept"

timeout -s TERM 3 "$formsterm" test --report hang --junit hang/junit.xml "$here/hang_test.lua" >hang.txt 2>&1
status=$?
[ "$status" = 124 ] || { cat hang.txt; fail "the hanging test ended with $status, not by its time limit"; }
page=hang/test-1.html
[ -f hang/index.html ] && [ -f "$page" ] || fail "no report of the test that hung"
grep -q 'cut short at step [0-9]*: the process got signal 15' "$page" || fail "the report does not name the end"
grep -q 'TM_DATE' "$page" || fail "the steps before the hang are missing"
grep -q '<failure message="the test did not end: the process got signal 15' hang/junit.xml ||
  fail "the JUnit XML does not name the end"
echo "ok   a test killed at its time limit: the report holds its steps and names the end"
