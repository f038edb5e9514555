#!/usr/bin/env bash
# golden_update.sh FORMSTERM DIR - `formsterm test --update` writes a missing
# golden, rewrites one that differs while keeping its masked cells, and
# leaves one that matches untouched; without --update a difference fails.
set -eu
formsterm=$1
dir=$2
rm -rf "$dir"
mkdir -p "$dir/golden"
cat >"$dir/report_test.lua" <<'LUA'
test("the report", function()
  expect_report("M1")
  terminal.key("enter")
  forms.run(os.getenv("COMMAND"))
  expect_golden("golden/report.txt")
end)
LUA
fail() { echo "FAILED: $1"; exit 1; }

COMMAND=NOTHING "$formsterm" test "$dir/report_test.lua" >/dev/null && fail "a missing golden passed"
COMMAND=NOTHING "$formsterm" test --update "$dir/report_test.lua" | grep -qF "wrote golden" || fail "no golden written"
[ "$(head -1 "$dir/golden/report.txt")" = "Bad CZEB(M1):07NOTHING" ] || fail "wrong golden written"
COMMAND=NOTHING "$formsterm" test "$dir/report_test.lua" | grep -qx "1 passed, 0 failed" || fail "the written golden does not match"

# Mask the length digits, then change the command: the mask survives the update.
printf 'Bad CZEB(M1):??NOTHING\nPress any key to continue\n' >"$dir/golden/report.txt"
COMMAND=NOTHING "$formsterm" test "$dir/report_test.lua" | grep -qx "1 passed, 0 failed" || fail "the mask did not match"
COMMAND=NOTHINGS "$formsterm" test "$dir/report_test.lua" >/dev/null && fail "a differing screen passed"
COMMAND=NOTHINGS "$formsterm" test --update "$dir/report_test.lua" | grep -qF "wrote golden" || fail "no update"
[ "$(head -1 "$dir/golden/report.txt")" = "Bad CZEB(M1):??NOTHINGS" ] || fail "the mask was lost: $(head -1 "$dir/golden/report.txt")"

# A matching golden is left as it is.
before=$(stat -c %Y.%s "$dir/golden/report.txt")
sleep 1
COMMAND=NOTHINGS "$formsterm" test --update "$dir/report_test.lua" | grep -qF "wrote golden" && fail "rewrote a matching golden"
[ "$(stat -c %Y.%s "$dir/golden/report.txt")" = "$before" ] || fail "the matching golden changed"
# An option that asks for a check the file lacks is an error; --update adds it.
cat >"$dir/cursor_test.lua" <<'LUA'
expect_report("M1")
terminal.key("enter")
forms.run("NOTHING")
expect_golden("golden/report.txt", {cursor = true})
LUA
"$formsterm" test "$dir/cursor_test.lua" | grep -qF "asks for the cursor, but the file has no @cursor line" ||
  fail "a check the golden lacks was not refused"
"$formsterm" test --update "$dir/cursor_test.lua" | grep -qF "wrote golden" || fail "--update did not add @cursor"
grep -qx "@cursor 0 0" "$dir/golden/report.txt" || fail "no @cursor line added"
"$formsterm" test "$dir/cursor_test.lua" | grep -qx "1 passed, 0 failed" || fail "the added cursor does not match"
echo "golden updates behave"
