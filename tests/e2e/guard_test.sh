#!/bin/bash
# The single-instance guard on a bare X server: a second ordinary copy is
# refused while hidden copies run beside the first; every copy, hidden ones
# included, counts as running; kill -9 leaves no stale lock; two copies
# started at the same moment give one window and one refusal.
. "$(dirname "$0")/lib.sh"
start_xvfb

launch first
first=$pid
check "first copy shows its window" wait_until 10 has_window "$MAIN_TITLE" "$first"
launch second
second=$pid
check "second copy shows \"$BUSY_TITLE\"" wait_until 10 has_window "$BUSY_TITLE" "$second"
check_eq "second copy shows no window of its own" 0 "$(count_windows "$MAIN_TITLE" "$second")"
press "$BUSY_TITLE" "$second" Return
await "$second" 5
check_eq "second copy ends with status 2 after Enter" 2 "$rc"
check "first copy keeps running" running "$first"
check "first copy keeps its window" has_window "$MAIN_TITLE" "$first"

run "$HIDDEN_L"
check_eq "hidden copy beside the first: status 0" 0 "$rc"
check_file "hidden copy beside the first: the line" "$work/run.out" "$RESULT_DE"

stop "$first"
launch third
check "after kill -9 of the first a new copy is not refused" \
  wait_until 10 has_window "$MAIN_TITLE" "$pid"
stop "$pid"

# A hidden copy waiting on its box counts as running.
launch hidden 'X;1;2;3;4;V-'
hidden=$pid
wait_until 10 has_window "$MODE_TITLE" "$hidden"
launch fourth
check "beside a hidden copy an ordinary start is refused" \
  wait_until 10 has_window "$BUSY_TITLE" "$pid"
press "$BUSY_TITLE" "$pid" Return
await "$pid" 5
check_eq "refused beside a hidden copy: status 2" 2 "$rc"
press "$MODE_TITLE" "$hidden" Return
await "$hidden" 5
check_eq "the hidden copy ends with status 1" 1 "$rc"

# Two ordinary starts at the same moment, again and again.
races=20
fair=0
for ((i = 1; i <= races; i++)); do
  launch "race-a-$i"
  a=$pid
  launch "race-b-$i"
  b=$pid
  wait_until 10 eval '[ $(($(count_windows "$MAIN_TITLE") + $(count_windows "$BUSY_TITLE"))) -ge 2 ]'
  if [ "$(count_windows "$MAIN_TITLE")" = 1 ] && [ "$(count_windows "$BUSY_TITLE")" = 1 ]; then
    refused=$(xdotool getwindowpid "$(windows "$BUSY_TITLE")")
    press "$BUSY_TITLE" "$refused" Return
    await "$refused" 5
    [ "$rc" = 2 ] && fair=$((fair + 1))
  fi
  stop "$a"
  stop "$b"
  [ "$fair" = "$i" ] || break
done
check_eq "simultaneous starts giving one window and one refusal" "$races" "$fair"
finish
