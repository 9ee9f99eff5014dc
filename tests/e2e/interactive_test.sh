#!/bin/bash
# The window typed into on a bare X server: the result reaches the clipboard
# in the number format of the user's locale and stays there after Esc has
# ended the program with status 0; F1 opens the information box.
. "$(dirname "$0")/lib.sh"
start_xvfb

for row in "de_DE.UTF-8|$RESULT_DE" "en_US.UTF-8|$RESULT_EN"; do
  PLANG=${row%%|*}
  launch
  check "$PLANG: window titled \"$MAIN_TITLE\"" wait_until 10 has_window "$MAIN_TITLE" "$pid" || continue
  focus "$MAIN_TITLE" "$pid" && xdotool type JO62mm && xdotool key Tab && xdotool type KM38mm &&
    xdotool key Return
  check_clipboard "$PLANG: JO62mm to KM38mm on the clipboard" "${row#*|}"

  focus "$MAIN_TITLE" "$pid" && xdotool key F1
  check "$PLANG: F1 opens \"$INFO_TITLE\"" wait_until 5 has_window "$INFO_TITLE" "$pid"
  focus "$INFO_TITLE" "$pid" && xdotool key Return
  wait_until 5 eval '! has_window "$INFO_TITLE" "$pid"'

  focus "$MAIN_TITLE" "$pid" && xdotool key Escape
  await "$pid" 5
  check_eq "$PLANG: Esc ends the program with status 0" 0 "$rc"
  check_clipboard "$PLANG: the result stays on the clipboard" "${row#*|}"
done
finish
