#!/usr/bin/env bash
# interactive_smoke.sh FORMSTERM DIR - drives `formsterm run` through tmux:
# keys reach the program with the right codes, F6 queues a scan, F12 and
# SIGTERM quit from inside a wait, and a failing program leaves a working
# shell behind with its error. Exits 77 (skipped) where tmux is missing.
set -u
formsterm=$1
dir=$2
pane=smoke
. "$(dirname "$0")/tmux_support.sh"

pidfile=$(mktemp)
trap 'tmx kill-server 2>/dev/null; rm -f "$pidfile"' EXIT

start() {
  tmx kill-session -t smoke 2>/dev/null
  for _ in 1 2 3; do
    tmx new-session -d -s smoke -x 80 -y 24 \
      "sh -c 'echo \$\$ >$pidfile; exec $formsterm run $1'; echo EXIT=\$?; sleep 60" && return 0
    sleep 0.5
  done
  fail "tmux did not start a session"
}

# Keys and their codes.
start "$dir/smoke.lua"
wait_for "|Bad CZEB(M1):07NOTHING"
wait_for "F12 quit"
wait_for "user variables"
tmx send-keys -t smoke Enter
wait_for "keys:"
for key in Tab Up F10 F5 F1 BSpace Left Right a Down BTab; do
  tmx send-keys -t smoke "$key"
  sleep 0.05
done
wait_for "|1536 512 768 1024 15104 1280 174 175 97 |"
wait_for "|1536 512                                |"
tmx send-keys -t smoke Escape
wait_for "|1536 512 256                            |"
tmx send-keys -t smoke F6
wait_for "Scan (Enter queues it"
tmx send-keys -t smoke -l "P123"
tmx send-keys -t smoke Enter
wait_for "|scans: 1"
wait_for "scanned \"P123\""
tmx send-keys -t smoke F12
wait_for "EXIT=0"
tmx capture-pane -p -t smoke | grep -qF "F12 quit" && fail "the curses screen stayed after quitting"

# F12 while the library waits in a command.
start "$dir/smoke.lua"
wait_for "|Bad CZEB(M1):07NOTHING"
tmx send-keys -t smoke F12
wait_for "EXIT=0"

# A termination signal while the library waits: the terminal is given back.
start "$dir/smoke.lua"
wait_for "|Bad CZEB(M1):07NOTHING"
kill -TERM "$(cat "$pidfile")"
wait_for "EXIT=0"
tmx capture-pane -p -t smoke | grep -qF "F12 quit" && fail "the curses screen stayed after SIGTERM"

# A program that fails: its error, with file and line, on a normal screen.
start "$dir/failing.lua"
wait_for "|Bad CZEB(M1):07NOTHING"
tmx send-keys -t smoke Enter
wait_for "EXIT=1"
wait_for "failing.lua:5: attempt to index a nil value (local 'broken')"
tmx capture-pane -p -t smoke | grep -qF "F12 quit" && fail "the curses screen stayed after the error"
echo "interactive smoke test passed"
exit 0
