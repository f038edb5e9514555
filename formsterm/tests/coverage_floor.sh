#!/usr/bin/env bash
# coverage_floor.sh FORMSTERM RECORDS OUTCOMES SCRIPT... - runs the scripts
# with --coverage and fails when their help file has fewer records read, or
# fewer field outcomes reached, than the floor.
set -u
formsterm=$1 records=$2 outcomes=$3
shift 3
output=$("$formsterm" test --coverage "$@" 2>&1) || { echo "$output"; exit 1; }
read_now=$(sed -nE 's/^[^ ]+: ([0-9]+) of [0-9]+ records read.*/\1/p' <<<"$output" | head -1)
reached_now=$(sed -nE 's/^[^ ]+: ([0-9]+) outcomes reached.*/\1/p' <<<"$output" | head -1)
echo "$output" | sed -n '/^coverage:/,$p'
if [ "${read_now:-0}" -lt "$records" ] || [ "${reached_now:-0}" -lt "$outcomes" ]; then
  echo "coverage dropped: ${read_now:-0} records read (floor $records), ${reached_now:-0} outcomes reached (floor $outcomes)"
  exit 1
fi
