#!/bin/bash
# The single-instance guard under sway: a second ordinary copy shows the
# refusal box, which OK closes (status 2); a hidden copy runs beside the
# first; after kill -9 of the first a new copy starts.
# usage: guard_test.sh PROGRAM wayland|xwayland
. "$(dirname "$0")/lib.sh"
start_sway

launch
first=$pid
check "first copy shows its window" wait_until 10 has_view "$MAIN_TITLE" "$first"
launch
check "second copy: \"$BUSY_TITLE\" with the keyboard" \
  wait_until 10 focused_view "$BUSY_TITLE" "$pid"
check "second copy shows no window of its own" no_view "$MAIN_TITLE" "$pid"
press Return
await "$pid" 10
check_eq "second copy: status 2 after OK" 2 "$rc"
run "$HIDDEN_L"
check_eq "hidden copy beside the first: status" 0 "$rc"
stop "$first"
launch
check "after kill -9 of the first a new copy shows its window" \
  wait_until 10 has_view "$MAIN_TITLE" "$pid"
finish
