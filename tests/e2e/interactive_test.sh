#!/bin/bash
# The window typed into on a bare X server: the result reaches the clipboard
# in the number format of the user's locale, F1 opens the information box,
# Esc ends the program with status 0.
. "$(dirname "$0")/lib.sh"
start_xvfb

for row in "de_DE.UTF-8|$RESULT_DE" "en_US.UTF-8|$RESULT_EN"; do
  PLANG=${row%%|*}
  launch "window-$PLANG"
  main=$pid
  if wait_until 10 has_window "$MAIN_TITLE" "$main"; then
    ok "$PLANG: window titled \"$MAIN_TITLE\""
  else
    bad "$PLANG: window titled \"$MAIN_TITLE\""
    continue
  fi

  type_into "$MAIN_TITLE" "$main" JO62mm && xdotool key Tab && xdotool type KM38mm &&
    xdotool key Return
  check_clipboard "$PLANG: JO62mm to KM38mm on the clipboard" "${row#*|}"
  [ -n "$ARTEFACTS" ] && command -v import >/dev/null &&
    import -window "$(windows "$MAIN_TITLE" "$main")" "$ARTEFACTS/window-$PLANG.png" 2>/dev/null

  press "$MAIN_TITLE" "$main" F1
  check "$PLANG: F1 opens \"$INFO_TITLE\"" wait_until 5 has_window "$INFO_TITLE" "$main"
  press "$INFO_TITLE" "$main" Return
  check "$PLANG: OK closes the info box" wait_until 5 eval '! has_window "$INFO_TITLE" "$main"'
  check "$PLANG: the window stays" has_window "$MAIN_TITLE" "$main"

  press "$MAIN_TITLE" "$main" Escape
  await "$main" 5
  check_eq "$PLANG: Esc ends the program with status 0" 0 "$rc"
  check_file "$PLANG: nothing on standard output" "$work/window-$PLANG.out" ""
done
finish
