#!/usr/bin/env bash
# explain_codes.sh FORMSTERM LIBRARY_TESTS - every result code that the
# library's tests show in a report is explained by `formsterm explain`, and
# an unknown code is refused with the families listed.
set -u
formsterm=$1
codes=$(grep -hE 'report|CZEB|code' "$2"/*.cpp | grep -ohE '"(M1|[CDEFPUVWXYZ][0-9A-Za-z])"' | tr -d '"' | sort -u)
failed=0
for code in $codes; do
  output=$("$formsterm" explain "$code") || { echo "explain $code: exit status $?"; failed=1; continue; }
  grep -q "^$code: .*" <<<"$output" && grep -q '^to change: .' <<<"$output" ||
    { echo "explain $code: $output"; failed=1; }
done
output=$("$formsterm" explain Q9) && { echo "explain Q9 succeeded"; failed=1; }
grep -q 'Q9: no such result code' <<<"$output" && grep -q '^  Z  SET_FIE' <<<"$output" ||
  { echo "explain Q9: $output"; failed=1; }
echo "$(wc -w <<<"$codes") codes of the library's tests explained"
exit "$failed"
