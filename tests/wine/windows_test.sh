#!/bin/bash
# Pelvorn.exe under Wine, the window's cases of Windows alone: the command
# line unquoted through cmd.exe; Wine set to report Windows 7 SP1, then 10
# (winecfg's HKCU\Software\Wine "Version"): the window laid out for the
# system DPI (GetDeviceCaps) on 7, with GetDpiForWindow and the ...ForDpi
# calls on 10, as the program's debugger output tells (Wine's "seh" warnings
# on standard error); the Win32 dialog keys (Enter on the focused button, F1
# on release on any control) and a screenshot for a look at the captions.
# Usage: windows_test.sh PROGRAM (tests/wine/Pelvorn.sh)
. "$(dirname "$0")/../e2e/lib.sh"
wine_sh=$(realpath "$(dirname "$0")/wine.sh")
export PELVORN_WINEDEBUG=-all,warn+seh
start_xvfb
# The Wine session of this X server starts here, not inside a timed run.
"$wine_sh" cmd /c exit
# The prefix is shared: back to Wine's own choice of version at the end.
version() { "$wine_sh" reg "$1" 'HKCU\Software\Wine' /v Version "${@:2}" /f >/dev/null 2>&1; }
trap 'version delete; cleanup' EXIT

# cmd.exe hands the text after the program name over as it stands: ";" needs
# no quotes there.
out=$(set -o pipefail; cd "${PELVORN_EXE%/*}" && LANG=$PLANG timeout -s KILL 20 "$wine_sh" cmd /c 'Pelvorn.exe L;JO62mm;KM38mm;;;V-' |
  tr -d '\r')
check_eq "cmd.exe, unquoted: status and the line through the pipe" "0:$RESULT_DE" "$?:$out"

# Wine's version | the DPI way in the log (which tells that the version took)
for row in "win7|GetDeviceCaps" "win10|GetDpiForWindow"; do
  IFS='|' read -r name way <<<"$row"
  version add /d "$name"
  : >"$work/launched.err"
  launch
  check "$name: window titled \"$MAIN_TITLE\"" wait_until 10 has_window "$MAIN_TITLE" "$pid"
  check_eq "$name: DPI found by" "Pelvorn DPI: $way 96" \
    "$(grep -o 'Pelvorn DPI: [A-Za-z]* [0-9]*' "$work/launched.err" | sort -u)"
  # At 96 dpi the designed client area is 386 x 98 pixels; it only grows.
  eval "$(xdotool getwindowgeometry --shell "$(windows "$MAIN_TITLE" "$pid" | head -n 1)")"
  check "$name: window at least as large as designed (${WIDTH}x$HEIGHT)" [ "$WIDTH" -ge 386 -a "$HEIGHT" -ge 98 ]
  focus "$MAIN_TITLE" "$pid" && xdotool key Escape
  await "$pid" 5
done
version delete

# The window with the result of the command line; the screenshot shows the
# result fields filled: a look at it tells whether any caption is clipped.
launch 'L;JO62mm;KM38mm'
check "window with the result" eval 'wait_until 10 has_window "$MAIN_TITLE" "$pid" && wait_until 5 clipboard_is "$RESULT_DE"'
if [ -n "${PELVORN_SCREENSHOT:-}" ] && command -v import >/dev/null; then
  import -window "$(windows "$MAIN_TITLE" "$pid" | head -n 1)" "$PELVORN_SCREENSHOT" 2>/dev/null
  check "screenshot in $PELVORN_SCREENSHOT" test -s "$PELVORN_SCREENSHOT"
fi

# calculated KEY...: KEY... end in a calculation, whose result reaches the
# clipboard (emptied first): the keys before them have been handled too.
calculated() {
  set_clipboard vorher && xdotool key "$@" && wait_until 10 clipboard_is "$RESULT_DE"
}
# F1 on release, on a button as in a box.
focus "$MAIN_TITLE" "$pid" && xdotool key alt+e Tab && xdotool keydown F1
check "F1 held down, then Enter on \"&Rechnen\": it calculates" calculated Return
check "F1 held down: no box before it is released" eval '! has_window "$INFO_TITLE" "$pid"'
xdotool keyup F1
check "F1 released on \"&Rechnen\": the box" wait_until 5 has_window "$INFO_TITLE" "$pid"
focus "$INFO_TITLE" "$pid" && xdotool key Return
wait_until 5 eval '! has_window "$INFO_TITLE" "$pid"'

# Enter presses the focused button: on "&?" nothing happens, on "&Beenden"
# the program ends.
focus "$MAIN_TITLE" "$pid" && xdotool key alt+question Return
check "Enter on \"&?\", then Alt+E, Enter: it calculates" calculated alt+e Return
focus "$MAIN_TITLE" "$pid" && xdotool key alt+e Tab Tab Tab Return
await "$pid" 5
check_eq "Enter on \"&Beenden\": status 0" 0 "$rc"
finish
