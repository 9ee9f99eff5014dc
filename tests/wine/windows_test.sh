#!/bin/bash
# Pelvorn.exe under Wine, the window's cases of Windows alone: the command
# line unquoted through cmd.exe; the Win32 dialog keys (Enter on the focused
# button, F1 on release) and a screenshot for a look at the captions; Wine set
# to report Windows 7 SP1, 8.1 or 10 at 96 or 144 dpi: the window as large as
# the DPI makes it, found (the debugger output, Wine's "seh" warnings, tells)
# by GetDeviceCaps, GetDpiForMonitor or GetDpiForWindow.
# Usage: windows_test.sh PROGRAM (tests/wine/Pelvorn.sh)
. "$(dirname "$0")/../e2e/lib.sh"
wine_sh=$(realpath "$(dirname "$0")/wine.sh")
export PELVORN_WINEDEBUG=-all,warn+seh
start_xvfb
# The prefix is shared: back to Wine's own version and DPI at the end.
setting() { "$wine_sh" reg "$1" "$2" /v "$3" "${@:4}" /f >/dev/null 2>&1; }
trap 'setting delete "HKCU\Software\Wine" Version; setting delete "HKCU\Control Panel\Desktop" LogPixels; cleanup' EXIT

# cmd.exe hands the text after the program name over as it stands: ";" needs
# no quotes there.
out=$(set -o pipefail; cd "${PELVORN_EXE%/*}" && LANG=$PLANG timeout -s KILL 20 "$wine_sh" cmd /c 'Pelvorn.exe L;JO62mm;KM38mm;;;V-' |
  tr -d '\r')
check_eq "cmd.exe, unquoted: status and the line through the pipe" "0:$RESULT_DE" "$?:$out"

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

# Wine's version | dpi | the DPI way in the log (which tells that the version took)
for row in "win7|96|GetDeviceCaps" "win10|96|GetDpiForWindow" "win7|144|GetDeviceCaps" "win81|144|GetDpiForMonitor"; do
  IFS='|' read -r name dots way <<<"$row"
  setting add 'HKCU\Software\Wine' Version /d "$name"
  setting add 'HKCU\Control Panel\Desktop' LogPixels /t REG_DWORD /d "$dots"
  : >"$work/launched.err"
  launch
  check "$name, $dots dpi: window titled \"$MAIN_TITLE\"" wait_until 10 has_window "$MAIN_TITLE" "$pid"
  check_eq "$name, $dots dpi: DPI found by" "Pelvorn DPI: $way $dots" \
    "$(grep -o 'Pelvorn DPI: [A-Za-z]* [0-9]*' "$work/launched.err" | sort -u)"
  # At 96 dpi the designed client area is 386 x 98 pixels; it grows with the DPI.
  eval "$(xdotool getwindowgeometry --shell "$(windows "$MAIN_TITLE" "$pid" | head -n 1)")"
  : "${width96:=$WIDTH}" "${height96:=$HEIGHT}"
  check "$name, $dots dpi: window ${WIDTH}x$HEIGHT, at least the design's ${dots}/96, at most 1.1 times ${width96}x$height96 (96 dpi) grown so" \
    [ $((WIDTH * 96)) -ge $((386 * dots)) -a $((HEIGHT * 96)) -ge $((98 * dots)) \
      -a $((WIDTH * 960)) -le $((width96 * dots * 11)) -a $((HEIGHT * 960)) -le $((height96 * dots * 11)) ]
  focus "$MAIN_TITLE" "$pid" && xdotool key Escape
  await "$pid" 5
done
finish
