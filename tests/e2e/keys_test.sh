#!/bin/bash
# The access key of "&?" on a bare X server with the keyboard layouts where
# "?" needs Shift: Alt+Shift+/ (US) and Alt+Shift+ß (German) move the focus
# to "?", seen from outside by what Shift+Tab and Enter press then: from "?"
# they press "&Beenden", which ends the program.
. "$(dirname "$0")/lib.sh"
command -v setxkbmap >/dev/null || { echo "SKIP: setxkbmap is not installed"; exit 77; }
start_xvfb

# layout | keys typed before Shift+Tab and Enter | ends (yes/no)
cases=(
  "us|alt+shift+slash|yes"
  "de|alt+shift+ssharp|yes"
  "us||no"
  "de|alt+ssharp|no"
)
for row in "${cases[@]}"; do
  IFS='|' read -r layout keys ends <<<"$row"
  name="$layout layout, ${keys:-no access key}"
  setxkbmap "$layout" || { tally 1 "$name: setxkbmap $layout"; continue; }
  launch
  check "$name: window shown" wait_until 10 has_window "$MAIN_TITLE" "$pid"
  focus "$MAIN_TITLE" "$pid"
  [ -z "$keys" ] || xdotool key --clearmodifiers "$keys"
  xdotool key shift+Tab Return
  if [ "$ends" = yes ]; then
    await "$pid" 5
    check_eq "$name: \"&?\" had the focus, so Shift+Tab, Enter pressed \"&Beenden\"" 0 "$rc"
  else
    # F1 after them: once its box is there, the keys before it were handled.
    xdotool key F1
    check "$name: the focus stayed in the box, the program runs on" wait_until 5 has_window "$INFO_TITLE" "$pid"
    stop "$pid"
  fi
done
finish
