#!/usr/bin/env bash
# browser_test.sh FORMSTERM EXAMPLE_DIR WORK_DIR - the example's tests, one
# made to fail (a golden with one cell changed) and one whose output is full
# of markup and control bytes, reported with --report and --junit; then the
# report opened in headless Chromium (browser_test.js) and the XML parsed.
# The screenshot of the failing step is WORK_DIR/report.png.
set -eu
formsterm=$1
example=$2
work=$3
here=$(cd "$(dirname "$0")" && pwd)
fail() { echo "browser_test: $*" >&2; exit 1; }

[ -x /usr/bin/chromium ] || fail "/usr/bin/chromium is missing (Debian's chromium package)"
cd "$work"
[ -d node_modules/playwright-core ] || fail "npm ci has not run in $work (the fixture formsterm.report.npm)"
rm -rf example out
cp -r "$example" example
cp "$here/bytes_test.lua" example/
sed -i 's/^ Receipts today: 1$/ Receipts today: 7/' example/golden/next_receipt.txt
status=0
"$formsterm" test --report out --junit out/junit.xml example/receiving_test.lua example/bytes_test.lua \
  >run.txt 2>&1 || status=$?
[ "$status" = 1 ] || { cat run.txt; fail "the tests exited $status, expected 1 (two failures)"; }
grep -q "^8 passed, 2 failed$" run.txt || { cat run.txt; fail "expected 8 passed, 2 failed"; }
python3 -c '
import sys, xml.etree.ElementTree as ET
suite = ET.parse(sys.argv[1]).getroot().find("testsuite")
cases = suite.findall("testcase")
failed = [c for c in cases if c.find("failure") is not None]
assert len(cases) == 10 and len(failed) == 2, (len(cases), len(failed))
assert "\\x01" in failed[1].find("failure").text, "control bytes shown as \\xNN"
print("ok   the JUnit XML parses: 10 test cases, 2 failures, bytes as text")
' out/junit.xml
size=$(du -sb out | cut -f1)
[ "$size" -lt 1000000 ] || fail "the report takes $size bytes, more than 1 MB"
echo "ok   the report takes $size bytes"
node browser_test.js out report.png
