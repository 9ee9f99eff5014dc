#!/bin/bash
# Pelvorn.exe under Wine set to report Windows 7 SP1 and then Windows 10 (the
# version of winecfg, HKCU\Software\Wine "Version"): on both the window opens;
# on Windows 7 it is laid out for the system DPI (GetDeviceCaps), on 10 with
# GetDpiForWindow and the ...ForDpi calls. The program writes which way it
# took to the debugger output, which Wine prints on standard error as
# warnings of its "seh" channel (the call and the exception it raises).
# Usage: windows7_test.sh PROGRAM (tests/wine/Pelvorn.sh)
. "$(dirname "$0")/../e2e/lib.sh"
wine_sh=$(dirname "$0")/wine.sh
export PELVORN_WINEDEBUG=-all,warn+seh
start_xvfb
"$wine_sh" cmd /c exit
# The prefix is shared: back to Wine's own choice of version at the end.
trap '"$wine_sh" reg delete "HKCU\\Software\\Wine" /v Version /f >/dev/null 2>&1; cleanup' EXIT

# Wine's version | what cmd.exe's "ver" shows | the DPI way in the log
cases=(
  "win7|Microsoft Windows 6.1.7601|GetDeviceCaps"
  "win10|Microsoft Windows 10.0.|GetDpiForWindow"
)
for row in "${cases[@]}"; do
  IFS='|' read -r version shown way <<<"$row"
  "$wine_sh" reg add 'HKCU\Software\Wine' /v Version /d "$version" /f >/dev/null 2>&1
  check "$version: Windows reports \"$shown\"" eval '"$wine_sh" cmd /c ver | grep -q "$shown"'
  : >"$work/launched.err"
  launch
  check "$version: window titled \"$MAIN_TITLE\"" wait_until 10 has_window "$MAIN_TITLE" "$pid"
  check_eq "$version: DPI found by" "Pelvorn DPI: $way 96" \
    "$(grep -o 'Pelvorn DPI: [A-Za-z]* [0-9]*' "$work/launched.err" | sort -u)"
  main=$(windows "$MAIN_TITLE" "$pid" | head -n 1)
  eval "$(xdotool getwindowgeometry --shell "$main")"
  check "$version: window at least as large as designed (${WIDTH}x$HEIGHT)" [ "$WIDTH" -ge 386 -a "$HEIGHT" -ge 98 ]
  focus "$MAIN_TITLE" "$pid" && xdotool key Escape
  await "$pid" 5
  check_eq "$version: Esc ends with status 0" 0 "$rc"
done
finish
