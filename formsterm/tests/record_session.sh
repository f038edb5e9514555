#!/usr/bin/env bash
# record_session.sh FORMSTERM EXAMPLE_DIR WORK_DIR - records sessions of the
# receiving example through tmux with `formsterm run --record` and replays
# the recorded tests: one ended by the program (a snapshot taken with F8 on
# the way), one stopped with F12 in the middle of a panel, one recorded in
# the program's own folder and replayed from another. Also: a terminal
# too small for the display says how large it must be. Exits 77 (skipped)
# where tmux is missing.
set -u
formsterm=$1
example=$2
work=$3
pane=rec
. "$(dirname "$0")/tmux_support.sh"
trap 'tmx kill-server 2>/dev/null' EXIT
rm -rf "$work"
mkdir -p "$work"

# start WIDTH HEIGHT ARGS...: formsterm in a fresh tmux session.
start() {
  local width=$1 height=$2
  shift 2
  tmx kill-session -t rec 2>/dev/null
  tmx new-session -d -s rec -c "${folder:-$PWD}" -x "$width" -y "$height" "$formsterm $*; echo EXIT=\$?; sleep 60" ||
    fail "tmux did not start a session"
}

keys() {
  for key in "$@"; do
    tmx send-keys -t rec "$key"
    sleep 0.1
  done
}
text() { tmx send-keys -t rec -l "$1"; sleep 0.1; }

# A receipt booked by a scan and keys, a snapshot, then Esc closes receiving.
start 100 30 run --record "$work/booked_test.lua" "$example/receiving.lua"
wait_for "Part no.   ______"
keys F6
wait_for "Scan (Enter queues it"
text P10001
keys Enter
wait_for "10001_"
text 12.5; keys Enter
text 14012026; keys Enter
text 4000123457; keys Enter
text a-01; keys F10
wait_for "Receipts today: 1"
keys F8
wait_for "snapshot 1 taken"
keys Escape
wait_for "Receiving closed."
keys Enter
wait_for "EXIT=0"
wait_for "formsterm run: the program ended"
grep -qF -- '-- the program ended' "$work/booked_test.lua" || fail "no closing comment: $(cat "$work/booked_test.lua")"
"$formsterm" test "$work/booked_test.lua" | tee "$work/booked.out" | grep -qx "1 passed, 0 failed" ||
  { cat "$work/booked_test.lua" "$work/booked.out"; fail "the recorded session does not replay green"; }

# Stopped with F12 while the panel waits: a valid test that quits there too.
start 100 30 run --record "$work/stopped_test.lua" "$example/receiving.lua"
wait_for "Part no.   ______"
text 10002; keys Enter
wait_for "Quantity   _______"
keys F12
wait_for "EXIT=0"
wait_for 'formsterm run: stopped by F12 while main ran the command "EXEC_PA HELP=20"'
grep -qF -- '-- the recording stopped here: stopped by F12' "$work/stopped_test.lua" ||
  fail "no comment on where it stopped: $(cat "$work/stopped_test.lua")"
"$formsterm" test "$work/stopped_test.lua" | tee "$work/stopped.out" | grep -qx "1 passed, 0 failed" ||
  { cat "$work/stopped_test.lua" "$work/stopped.out"; fail "the stopped recording does not replay green"; }

# Recorded in the program's own folder, today's date typed into the date
# field: the typed date stays in the golden (only the clock's is masked),
# the panel's variables are checked, and the test replays from elsewhere.
cp -r "$example" "$work/own"
today=$(date +%d%m%Y)
folder=$work/own start 100 30 run --record NEW_test.lua receiving.lua
wait_for "Part no.   ______"
text 10001; keys Enter
text 7; keys Enter
text "$today"; keys Enter
text 4000123457; keys Enter
keys F8
wait_for "snapshot 1 taken"
text b-01; keys F10
wait_for "Receipts today: 1"
keys F12
wait_for "EXIT=0"
recorded=$work/own/NEW_test.lua
grep -q 'load_directory' "$recorded" && fail "a test in the program's folder loads a folder: $(cat "$recorded")"
grep -qF 'expect_uv(3, "'"${today:0:2}-${today:2:2}-${today:4:4}"'")' "$recorded" ||
  fail "the panel's variables are not checked: $(cat "$recorded")"
grep -qF "${today:0:2}-${today:2:2}-${today:4:4}" "$work/own/golden/NEW_test_1.txt" ||
  fail "the typed date was masked: $(cat "$work/own/golden/NEW_test_1.txt")"
grep -qF '??.??.??' "$work/own/golden/NEW_test_1.txt" || fail "the clock's date was not masked"
(cd / && "$formsterm" test "$recorded") | tee "$work/own.out" | grep -qx "1 passed, 0 failed" ||
  { cat "$recorded" "$work/own.out"; fail "the session recorded in the program's folder does not replay green"; }

# Too small for the display: it says so instead of cutting rows.
start 40 20 run "$example/receiving.lua"
wait_for "needs a terminal of at least"
wait_for "42 columns and 24 rows"
keys F12
wait_for "EXIT=0"
echo "recorded sessions replay green"
exit 0
