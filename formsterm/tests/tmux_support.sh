# tmux_support.sh - sourced by the tmux-driven tests: a private tmux server
# and a pane named $pane, read back until it shows what a test waits for.
# Exits 77 (skipped) where tmux is missing.
command -v tmux >/dev/null || { echo "tmux is not installed: skipped"; exit 77; }
socket="formsterm-$pane-$$"
tmx() { tmux -L "$socket" -f /dev/null "$@"; }

fail() {
  echo "FAILED: $1"
  echo "---- screen:"
  tmx capture-pane -p -t "$pane"
  exit 1
}

# wait_for TEXT: until the pane shows TEXT, for up to 15 seconds.
wait_for() {
  for _ in $(seq 150); do
    tmx capture-pane -p -J -t "$pane" 2>/dev/null | grep -qF -- "$1" && return 0
    sleep 0.1
  done
  fail "the screen never showed: $1"
}
