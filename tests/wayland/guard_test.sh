#!/bin/bash
# The single-instance guard under sway (the second copy's box is a scenario
# of tests/scenarios): a hidden copy runs beside the first; after kill -9 of
# the first a new copy starts.
# usage: guard_test.sh PROGRAM wayland|xwayland
. "$(dirname "$0")/lib.sh"
start_sway

launch
first=$pid
check "first copy shows its window" wait_until 10 has_view "$MAIN_TITLE" "$first"
run "$HIDDEN_L"
check_eq "hidden copy beside the first: status" 0 "$rc"
stop "$first"
launch
check "after kill -9 of the first a new copy shows its window" \
  wait_until 10 has_view "$MAIN_TITLE" "$pid"
finish
