#!/bin/bash
# Without any display (neither DISPLAY nor WAYLAND_DISPLAY): hidden runs work
# and say on standard error what a box or a beep would have said; an
# ordinary start ends at once with status 3. Each case writes exactly one
# line on standard error.
. "$(dirname "$0")/lib.sh"

# command line | status | standard output | part of the line on standard error
cases=(
  "$HIDDEN_L|0|$RESULT_DE|Zwischenablage"
  "G;52,5;38,5;13;27;V-|0|1892,82 km/139,73 °|Zwischenablage"
  "L;JO6A;KM38mm;;;V-|1||JO6A"
  "X;1;2;3;4;V-|1||Falsche Parameterbezeichnung"
  "G;95;38,5;13;27;V-|1||Falsche Breitengradeingabe"
  "|3||"
)
for row in "${cases[@]}"; do
  IFS='|' read -r line status out err <<<"$row"
  name=${line:-ordinary start}
  if [ -n "$line" ]; then run "$line"; else run; fi
  check_eq "$name: status $status" "$status" "$rc"
  check_file "$name: standard output" "$work/run.out" "$out"
  check_eq "$name: one line on standard error" 1 "$(wc -l <"$work/run.err")"
  [ -n "$err" ] && check "$name: standard error mentions \"$err\"" grep -qF -- "$err" "$work/run.err"
done
finish
