#!/bin/bash
# The access key of "&?" on a bare X server, where "?" needs Shift (Shift+/
# on the US layout, Shift+ß on the German one: for Qt the same key "?"):
# Alt+? moves the focus to "&?", seen from outside by what Shift+Tab and
# Enter press then: "&Beenden", which ends the program. (The keys as Qt
# hands them to the window: the keyboard table in tests/window.)
. "$(dirname "$0")/lib.sh"
start_xvfb

launch
check "window shown" wait_until 10 has_window "$MAIN_TITLE" "$pid"
focus "$MAIN_TITLE" "$pid"
xdotool key --clearmodifiers alt+question shift+Tab Return
await "$pid" 5
check_eq "Alt+?, Shift+Tab, Enter pressed \"&Beenden\"" 0 "$rc"
finish
