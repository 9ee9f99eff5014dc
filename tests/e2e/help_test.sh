#!/bin/bash
# --help and --version: German text on standard output, status 0, no window
# and no single-instance guard, with or without a display.
. "$(dirname "$0")/lib.sh"

# option | part of the text
cases=("--help|Aufruf: Pelvorn" "--version|Pelvorn 1.0.3")
# Without a display, and with one that does not exist: Qt would abort there
# if it were started at all.
for display in unset :65000; do
  for row in "${cases[@]}"; do
    option=${row%%|*}
    if [ "$display" = unset ]; then run "$option"; else DISPLAY=$display run "$option"; fi
    name="$option, DISPLAY $display"
    check_eq "$name: status 0" 0 "$rc"
    check "$name: text on standard output" grep -qF -- "${row#*|}" "$work/run.out"
    check "$name: nothing on standard error" test ! -s "$work/run.err"
  done
done

# Beside a running copy: not refused (a refusal would wait for its box).
start_xvfb
launch window
wait_until 10 has_window "$MAIN_TITLE" "$pid"
for row in "${cases[@]}"; do
  run "${row%%|*}"
  check_eq "${row%%|*} beside a running copy: status 0" 0 "$rc"
done
finish
