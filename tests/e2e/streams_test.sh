#!/bin/bash
# The standard streams, on a bare X server and without a display. The result
# line keeps ASCII digits in every locale (only the decimal separator is the
# locale's). A reader that went away is a failure with a word on standard
# error, never a death by SIGPIPE. With one of the streams closed no run
# hangs or writes into the X11 connection: the closed stream reads or writes
# /dev/null; a hidden run ends with status 0 and its line on the clipboard
# (and on standard output when that is open); an ordinary start shows its window.
. "$(dirname "$0")/lib.sh"
start_xvfb

for PLANG in ar_EG.UTF-8 fa_IR.UTF-8; do
  run "$HIDDEN_L"
  check_eq "$PLANG: status" 0 "$rc"
  check_out "$PLANG: standard output" "1892٫585 km/139٫74 °"
done
PLANG=de_DE.UTF-8

# The reader is gone before the line comes: status 1 and one line on stderr.
LANG=$PLANG timeout -s KILL 10 python3 -c '
import os, subprocess, sys
read_end, write_end = os.pipe()
os.close(read_end)
with open(sys.argv[1], "w") as err:
    sys.exit(subprocess.run(sys.argv[2:], stdout=write_end, stderr=err).returncode)' \
  "$work/pipe.err" "$program" "$HIDDEN_L"
rc=$?
check_eq "closed pipe: status" 1 "$rc"
check_eq "closed pipe: one line on standard error" 1 "$(wc -l <"$work/pipe.err")"
check "closed pipe: the clipboard has the line all the same" clipboard_is "$RESULT_DE"

# closed FD COMMAND...: becomes COMMAND with standard stream FD closed (the
# caller redirects the others; started in the background, its process id is
# COMMAND's).
closed() {
  case $1 in
    0) exec "${@:2}" <&- ;;
    1) exec "${@:2}" >&- ;;
    2) exec "${@:2}" 2>&- ;;
  esac
}
# closed_run FD [ARGUMENT...]: the program with a 10 s limit, status in $rc,
# standard output and error in run.out and run.err.
closed_run() {
  (closed "$1" env LANG="$PLANG" timeout -s KILL 10 "$program" "${@:2}") >"$work/run.out" 2>"$work/run.err"
  rc=$?
}

for fd in 0 1 2; do
  set_clipboard vorher
  closed_run $fd "$HIDDEN_L"
  check_eq "fd $fd closed, hidden run: status" 0 "$rc"
  check_out "fd $fd closed, hidden run: standard output" "$([ $fd = 1 ] || echo "$RESULT_DE")"
  check_clipboard "fd $fd closed, hidden run: on the clipboard" "$RESULT_DE"

  DISPLAY= closed_run $fd "$HIDDEN_L"
  check_eq "fd $fd closed, no display, hidden run: status" 0 "$rc"
  check_out "fd $fd closed, no display: standard output" "$([ $fd = 1 ] || echo "$RESULT_DE")"

  # An ordinary start: the window, and Esc ends it.
  closed $fd env LANG="$PLANG" "$program" >/dev/null 2>&1 &
  pid=$!
  check "fd $fd closed, ordinary start: window shown" wait_until 10 has_window "$MAIN_TITLE" "$pid"
  check_eq "fd $fd closed, ordinary start: fd $fd is /dev/null" /dev/null "$(readlink "/proc/$pid/fd/$fd")"
  focus "$MAIN_TITLE" "$pid" && xdotool key Escape
  await "$pid" 5
  check_eq "fd $fd closed, ordinary start: status 0 after Esc" 0 "$rc"
done
finish
