#!/bin/bash
# Pelvorn.exe under Wine, the cases of Windows alone: hidden runs in German
# and English Windows number formats (registry, not LANG), the command line
# unquoted through cmd.exe, the dialog keys of the
# Win32 window (access keys, Enter on the focused button, F1 on any
# control), and a screenshot of the window for a look at its captions.
# Usage: windows_test.sh PROGRAM (tests/wine/Pelvorn.sh)
. "$(dirname "$0")/../e2e/lib.sh"
wine_sh=$(dirname "$0")/wine.sh
start_xvfb
# The Wine session of this X server starts here, not inside a timed run.
"$wine_sh" cmd /c exit

# language | command line | standard output and clipboard
cases=(
  "de_DE.UTF-8|$HIDDEN_L|$RESULT_DE"
  "en_US.UTF-8|$HIDDEN_L|$RESULT_EN"
)
for row in "${cases[@]}"; do
  IFS='|' read -r PLANG line result <<<"$row"
  run "$line"
  check_eq "$PLANG $line: status" 0 "$rc"
  check_out "$PLANG $line: standard output" "$result"
  check_eq "$PLANG $line: clipboard after the run" "$result|" "$(clipboard)"
done
PLANG=de_DE.UTF-8

# cmd.exe hands the text after the program name over as it stands: ";" needs
# no quotes there.
exe=$(dirname "$PELVORN_EXE")
set_clipboard vorher
out=$(cd "$exe" && LANG=$PLANG timeout -s KILL 20 "$wine_sh" cmd /c 'Pelvorn.exe L;JO62mm;KM38mm;;;V-' | tr -d '\r')
rc=$?
check_eq "cmd.exe, unquoted: status" 0 "$rc"
check_eq "cmd.exe, unquoted: the line through the pipe" "$RESULT_DE" "$out"
check_clipboard "cmd.exe, unquoted: the line on the clipboard" "$RESULT_DE"

# The dialog keys. Alt+F and Alt+E move into the boxes, Enter in a box
# presses "&Rechnen".
launch
check "window titled \"$MAIN_TITLE\"" wait_until 10 has_window "$MAIN_TITLE" "$pid"
main=$(windows "$MAIN_TITLE" "$pid" | head -n 1)
focus "$MAIN_TITLE" "$pid" && xdotool key alt+f && xdotool type KM38mm &&
  xdotool key alt+e && xdotool type 'jo62' && xdotool key Return
check_clipboard "Alt+F, Alt+E, Enter: the result of JO62MM to KM38MM" "$RESULT_DE"
# The screenshot shows the result fields filled: a look at it tells whether
# any caption is clipped.
if [ -n "${PELVORN_SCREENSHOT:-}" ] && command -v import >/dev/null; then
  import -window "$main" "$PELVORN_SCREENSHOT" 2>/dev/null
  check "screenshot in $PELVORN_SCREENSHOT" test -s "$PELVORN_SCREENSHOT"
fi
# At 96 dpi the designed client area is 386 x 98 pixels; it only grows.
eval "$(xdotool getwindowgeometry --shell "$main")"
check "window at least as large as designed (${WIDTH}x$HEIGHT)" [ "$WIDTH" -ge 386 -a "$HEIGHT" -ge 98 ]

# F1 on release, on a button as in a box; F2 opens nothing.
focus "$MAIN_TITLE" "$pid" && xdotool key Tab F1
check "F1 on \"&Rechnen\" opens \"$INFO_TITLE\"" wait_until 5 has_window "$INFO_TITLE" "$pid"
focus "$INFO_TITLE" "$pid" && xdotool key Return
check "OK closes the info box" wait_until 5 eval '! has_window "$INFO_TITLE" "$pid"'
# calculated KEY...: KEY... end in a calculation, whose result reaches the
# clipboard (emptied first): the keys before them have been handled too.
calculated() {
  set_clipboard vorher && xdotool key "$@" && wait_until 10 clipboard_is "$RESULT_DE"
}
focus "$MAIN_TITLE" "$pid" && xdotool keydown F1
check "F1 held down, then Enter on \"&Rechnen\": it calculates" calculated Return
check "F1 held down: no box before it is released" eval '! has_window "$INFO_TITLE" "$pid"'
xdotool keyup F1
check "F1 released: the box" wait_until 5 has_window "$INFO_TITLE" "$pid"
focus "$INFO_TITLE" "$pid" && xdotool key Return
wait_until 5 eval '! has_window "$INFO_TITLE" "$pid"'
focus "$MAIN_TITLE" "$pid" && xdotool key F2
check "F2, then Enter on \"&Rechnen\": it calculates" calculated Return
check "F2 opens nothing" eval '! has_window "$INFO_TITLE" "$pid"'

# Enter presses the focused button: on "&?" nothing happens, on "&Beenden"
# the program ends.
focus "$MAIN_TITLE" "$pid" && xdotool key alt+question Return
check "Enter on \"&?\", then Alt+E, Enter: it calculates" calculated alt+e Return
focus "$MAIN_TITLE" "$pid" && xdotool key alt+e Tab Tab Tab Return
await "$pid" 5
check_eq "Enter on \"&Beenden\": status 0" 0 "$rc"
finish
