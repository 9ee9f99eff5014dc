#!/bin/bash
# A DISPLAY that does not answer counts as none at all: no server behind the
# number, a name that is no display, a server that is stopped. A hidden run
# takes the console: its line on standard output, status 0; an ordinary
# start says so in one line and ends with status 3.
. "$(dirname "$0")/lib.sh"

# A display number with no server behind it.
free=199
while [ -e "/tmp/.X11-unix/X$free" ] || [ -e "/tmp/.X$free-lock" ]; do free=$((free + 1)); done

# DISPLAY | command line | status | standard output | part of the line on standard error
cases=(
  ":$free|$HIDDEN_L|0|$RESULT_DE|Zwischenablage"
  ":$free||3||DISPLAY=:$free antwortet nicht"
  "garbage|$HIDDEN_L|0|$RESULT_DE|Zwischenablage"
  "garbage||3||DISPLAY=garbage antwortet nicht"
  "localhost:$free|$HIDDEN_L|0|$RESULT_DE|Zwischenablage"
)
for row in "${cases[@]}"; do
  IFS='|' read -r display line status out err <<<"$row"
  name="DISPLAY=$display, ${line:-ordinary start}"
  DISPLAY=$display run ${line:+"$line"}
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
