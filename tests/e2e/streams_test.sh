#!/bin/bash
# Runs with one of the standard streams closed, on a bare X server: none
# hangs, none writes into the X11 connection. The stream that is closed reads
# or writes /dev/null (whether or not there is a display: it is reopened
# first thing); a hidden run ends with status 0 and its line on the clipboard
# (and on standard output when that is open); an ordinary start shows its window.
. "$(dirname "$0")/lib.sh"
start_xvfb

# closed FD COMMAND...: becomes COMMAND with standard stream FD closed (the
# caller redirects the others; started in the background, its process id is
# COMMAND's).
closed() { eval 'exec "${@:2}"' "$1>&-"; }
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
