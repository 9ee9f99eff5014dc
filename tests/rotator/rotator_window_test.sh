#!/bin/bash
# The window with a rotator on a bare X server: the long path through the
# direction field's context menu turns Hamlib's dummy rotator; a daemon that
# freezes and is then killed leaves the window responsive and ends in a
# warning box.
. "$(dirname "$0")/rotator_lib.sh"
start_xvfb
ROTOR_TITLE=' Rotor '

# popups PID: how many windows of PID are visible (the window and menus).
popups() { xdotool search --all --onlyvisible --pid "$1" --class '' 2>/dev/null | wc -l; }
# context_menu PID: right-click on the direction field "Richtung" (its place
# in the control table, in twips, scaled to the window's size).
context_menu() {
  local w WIDTH HEIGHT
  w=$(windows "$MAIN_TITLE" "$1" | head -n 1)
  eval "$(xdotool getwindowgeometry --shell "$w" | grep -E '^(WIDTH|HEIGHT)=')"
  xdotool mousemove --window "$w" $(((4380 + 1275 / 2) * WIDTH / 5784)) $(((600 + 255 / 2) * HEIGHT / 1476)) click 3
}
# start_window ARGUMENT...: the window computing JO62mm to KM38mm.
start_window() {
  launch "$@" 'L;JO62mm;KM38mm'
  wait_until 10 has_window "$MAIN_TITLE" "$pid" && wait_until 5 clipboard_is "$RESULT_DE"
}

start_rotctld  # its own range: -180..450, standing at 0
check "dummy: window with a result" start_window --rotator "127.0.0.1:$rot_port"
context_menu "$pid"
check "dummy: the direction field has a context menu" wait_until 5 eval '[ "$(popups "$pid")" -ge 2 ]'
click_entry "$pid" 2 2  # "Antenne drehen (langer Weg)"
# 319.74 is nearest to where the dummy stands as -40.26.
check "dummy: the long path turns it to -40.26 (within 0.5°)" wait_until 30 stands_at "$rot_port" -40.26

# Frozen daemon: the command waits for an answer, the window does not.
kill -STOP "$rot_pid"
focus "$MAIN_TITLE" "$pid" && xdotool key F7
check "frozen daemon: F7's command waits at the daemon" wait_until 5 unread "$rot_port"
focus "$MAIN_TITLE" "$pid" && xdotool key F1
check "frozen daemon: the window still answers (F1 box)" wait_until 5 has_window "$INFO_TITLE" "$pid"
focus "$INFO_TITLE" "$pid" && xdotool key Return
check "frozen daemon: F1 box closed" wait_until 5 eval '! has_window "$INFO_TITLE" "$pid"'
kill -9 "$rot_pid"
wait "$rot_pid" 2>/dev/null
check "killed daemon: warning box \"$ROTOR_TITLE\"" wait_until 5 has_window "$ROTOR_TITLE" "$pid"
focus "$ROTOR_TITLE" "$pid" && xdotool key Return
check "killed daemon: box closed" wait_until 5 eval '! has_window "$ROTOR_TITLE" "$pid"'
focus "$MAIN_TITLE" "$pid" && xdotool key Escape
await "$pid" 5
check_eq "killed daemon: Esc still ends the program with status 0" 0 "$rc"

finish
