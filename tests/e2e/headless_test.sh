#!/bin/bash
# Without any display: hidden runs work and say in one line on standard error
# what a box or a beep would have said; an ordinary start ends at once with
# status 3; --help and --version need no display.
. "$(dirname "$0")/lib.sh"

# command line | status | standard output | part of the line on standard error
cases=(
  "$HIDDEN_L|0|$RESULT_DE|Zwischenablage"
  "L;JO6A;KM38mm;;;V-|1||JO6A"
  "X;1;2;3;4;V-|1||Falsche Parameterbezeichnung"
  "|3||grafische"
)
for row in "${cases[@]}"; do
  IFS='|' read -r line status out err <<<"$row"
  name=${line:-ordinary start}
  run ${line:+"$line"}
  check_eq "$name: status" "$status" "$rc"
  check_out "$name: standard output" "$out"
  check_eq "$name: lines on standard error" 1 "$(wc -l <"$work/run.err")"
  check "$name: standard error mentions \"$err\"" grep -qF -- "$err" "$work/run.err"
done

for row in "--help|Aufruf: Pelvorn" "--version|Pelvorn 1.0.3"; do
  run "${row%%|*}"
  check_eq "${row%%|*}: status" 0 "$rc"
  check "${row%%|*}: \"${row#*|}\" on standard output" grep -qF -- "${row#*|}" "$work/run.out"
done
finish
