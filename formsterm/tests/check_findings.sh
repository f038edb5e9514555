#!/usr/bin/env bash
# check_findings.sh FORMSTERM TABLE - runs `formsterm check` for each row of
# TABLE (in TABLE's folder) and checks its exit status and that its output
# holds the row's line (a LINE that starts with ! must not be in it). Rows:
# ARGUMENTS | STATUS | LINE; # starts a comment.
set -u
formsterm=$(realpath "$1")
table=$2
cd "$(dirname "$table")" || exit 2
failed=0 rows=0
while IFS='|' read -r arguments status line; do
  [[ -z "$arguments" || "$arguments" == \#* ]] && continue
  arguments=$(echo $arguments) status=$(echo $status) line=${line# }
  rows=$((rows + 1))
  # shellcheck disable=SC2086 # the arguments are words
  output=$("$formsterm" check $arguments 2>&1)
  actual=$?
  if [ "$actual" != "$status" ]; then
    echo "check $arguments: exit status $actual, expected $status"; failed=1
  fi
  if [[ "$line" == !* ]]; then
    if grep -qF -- "${line#!}" <<<"$output"; then
      echo "check $arguments: in the output, but should not be: ${line#!}"; echo "$output"; failed=1
    fi
  elif ! grep -qF -- "$line" <<<"$output"; then
    echo "check $arguments: missing from the output: $line"; echo "$output"; failed=1
  fi
done <"$(basename "$table")"
echo "$rows rows checked"
exit "$failed"
