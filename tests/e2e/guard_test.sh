#!/bin/bash
# The single-instance guard on a bare X server or under sway (the second
# copy's box is a scenario of tests/scenarios): a hidden copy runs beside the
# first; kill -9 leaves no stale lock, not even in the clipboard keeper of
# that hidden copy; on X11, of two copies started at the same moment exactly
# one shows its window.
# usage: guard_test.sh PROGRAM [x11|wayland|xwayland]
. "$(dirname "$0")/../wayland/lib.sh" "$1" "${2:-x11}"
start_desktop

launch
first=$pid
check "first copy shows its window" wait_until 10 shown "$MAIN_TITLE" "$first"
run "$HIDDEN_L"
check_eq "hidden copy beside the first: status" 0 "$rc"
check_out "hidden copy beside the first: its line" "$RESULT_DE"

stop "$first"
launch
check "after kill -9 of the first a new copy shows its window" wait_until 10 shown "$MAIN_TITLE" "$pid"
stop "$pid"
[ "$MODE" = x11 ] || finish

# shown_by TITLE: how many windows titled TITLE copies $a and $b show.
shown_by() { echo $(($(windows "$1" "$a" | wc -l) + $(windows "$1" "$b" | wc -l))); }
single=0
for ((i = 0; i < 10; i++)); do
  launch; a=$pid
  launch; b=$pid
  wait_until 10 eval '(($(shown_by "$MAIN_TITLE") + $(shown_by "$BUSY_TITLE") >= 2))'
  [ "$(shown_by "$MAIN_TITLE")" = 1 ] && single=$((single + 1))
  stop "$a"
  stop "$b"
done
check_eq "two copies started at once, ten times: one window each time" 10 "$single"
finish
