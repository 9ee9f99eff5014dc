#!/bin/bash
# Without any display, and with a DISPLAY that does not answer (no server
# behind the number, a name that is no display, a server that is stopped),
# which counts as none at all: a hidden run takes the console, its line on
# standard output and what a box or a beep would have said in one line on
# standard error; an ordinary start says so in one line and ends with
# status 3 (--help and --version without a display: toolkit_free_test.sh).
. "$(dirname "$0")/lib.sh"

# A display number with no server behind it.
free=199
while [ -e "/tmp/.X11-unix/X$free" ] || [ -e "/tmp/.X$free-lock" ]; do free=$((free + 1)); done

# DISPLAY (- for none) | command line | status | standard output | part of the line on standard error
cases=(
  "-|L;JO6A;KM38mm;;;V-|1||JO6A"
  "-||3||grafische"
  ":$free|$HIDDEN_L|0|$RESULT_DE|Zwischenablage"
  ":$free||3||DISPLAY=:$free antwortet nicht"
  "garbage||3||DISPLAY=garbage antwortet nicht"
)
for row in "${cases[@]}"; do
  IFS='|' read -r display line status out err <<<"$row"
  name="DISPLAY=$display, ${line:-ordinary start}"
  if [ "$display" = - ]; then run ${line:+"$line"}; else DISPLAY=$display run ${line:+"$line"}; fi
  check_eq "$name: status" "$status" "$rc"
  check_out "$name: standard output" "$out"
  check_eq "$name: lines on standard error" 1 "$(wc -l <"$work/run.err")"
  check "$name: standard error mentions \"$err\"" grep -qF -- "$err" "$work/run.err"
done

# A server that takes the connection but never answers: given up after 5 s.
start_xvfb
kill -STOP "$xvfb_pid"
run "$HIDDEN_L"
kill -CONT "$xvfb_pid"
check_eq "stopped server, hidden run: status" 0 "$rc"
check_out "stopped server, hidden run: standard output" "$RESULT_DE"
check "stopped server, hidden run: ends after the 5 s wait ($took ms)" [ "$took" -lt 8000 ]
finish
