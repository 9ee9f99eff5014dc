#!/bin/bash
# The Win32 window with a rotator under Wine: the direction field's context
# menu, F7 and F9 turn and stop Hamlib's dummy rotator (a Linux rotctld on 127.0.0.1);
# a port with nothing listening ends in the warning box " Rotor "; without a
# rotator F7 does nothing and a right-click there offers only "Karte".
# Usage: rotator_window_test.sh PROGRAM (tests/wine/Pelvorn.sh)
. "$(dirname "$0")/../rotator/rotator_lib.sh" "$1" "$(dirname "$0")/free_port.sh"
wine_sh=$(dirname "$0")/wine.sh
start_xvfb
"$wine_sh" cmd /c exit
ROTOR_TITLE=' Rotor '
# popups PID: how many windows of PID are visible (the window and menus).
popups() { xdotool search --all --onlyvisible --pid "$1" --name '' 2>/dev/null | wc -l; }
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
  wait_until 15 has_window "$MAIN_TITLE" "$pid" && wait_until 5 clipboard_is "$RESULT_DE"
}
moved_from() { [ "$(rot_azimuth "$rot_port")" != "$1" ]; }
end_window() { focus "$MAIN_TITLE" "$pid" && xdotool key Escape; await "$pid" 10; }

start_rotctld
check "dummy: window with a result" start_window --rotator "127.0.0.1:$rot_port"
before=$(popups "$pid")
context_menu "$pid"
check "dummy: the direction field has a context menu" wait_until 5 eval '[ "$(popups "$pid")" -gt "$before" ]'
click_entry "$pid" 2 5  # "Antenne drehen (langer Weg)", of five, above "Karte"
# 319.74 is nearest to where the dummy stands as -40.26 (range -180..450).
check "dummy: the long path turns it to -40.26 (within 0.5°)" wait_until 60 stands_at "$rot_port" -40.26
focus "$MAIN_TITLE" "$pid" && xdotool key F7
check "dummy: F7 turns it back to 139.74" wait_until 60 stands_at "$rot_port" 139.74
# The long path again, stopped with F9 on its way; then "Antenne parken" (the dummy's 0).
focus "$MAIN_TITLE" "$pid" && xdotool key shift+F7
wait_until 10 eval '! stands_at "$rot_port" 139.74'
focus "$MAIN_TITLE" "$pid" && xdotool key F9
# Stopped: the same reading twice in a row (50 ms apart, when it turns 0.3° apart), then for a second.
unchanged() { local now; now=$(rot_azimuth "$rot_port"); [ "$now" = "$stopped" ]; local same=$?; stopped=$now; return $same; }
stopped= && wait_until 5 unchanged
check "dummy: F9 stops it at $stopped" eval '! wait_until 1 moved_from "$stopped"'
context_menu "$pid"
wait_until 5 eval '[ "$(popups "$pid")" -gt "$before" ]' && click_entry "$pid" 4 5
check "dummy: \"Antenne parken\" parks it at 0" wait_until 60 stands_at "$rot_port" 0
end_window
check_eq "dummy: Esc ends with status 0" 0 "$rc"
kill "$rot_pid" 2>/dev/null
wait "$rot_pid" 2>/dev/null

check "nothing listening: window with a result" start_window --rotator "127.0.0.1:$("$stub" free-port)"
focus "$MAIN_TITLE" "$pid" && xdotool key F7
check "nothing listening: box titled \"$ROTOR_TITLE\"" wait_until 10 has_window "$ROTOR_TITLE" "$pid"
focus "$ROTOR_TITLE" "$pid" && xdotool key Return
check "nothing listening: OK closes it" wait_until 5 eval '! has_window "$ROTOR_TITLE" "$pid"'
end_window

# No rotator: F7 and Shift+F7 do nothing, the menu's one entry opens the map,
# and Esc then ends the program.
check "no rotator: window with a result" start_window
focus "$MAIN_TITLE" "$pid" && xdotool key F7 shift+F7
context_menu "$pid"
click_entry "$pid" 1 1
check "no rotator: \"Karte\" opens the map window" wait_until 10 has_window ' Karte ' "$pid"
focus ' Karte ' "$pid" && xdotool key Escape
check "no rotator: Esc closes it" wait_until 5 eval '! has_window " Karte " "$pid"'
end_window
check_eq "no rotator: F7, Shift+F7, \"Karte\", Esc: status 0" 0 "$rc"
finish
