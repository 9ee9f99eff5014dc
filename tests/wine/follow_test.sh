#!/bin/bash
# Pelvorn.exe --follow under Wine (Winsock) with the datagrams of the Linux
# test: the line for each new grid, byte for byte as on Linux, the invalid
# grid named, and Ctrl+C (SIGINT on a terminal, which Wine turns into the
# console's Ctrl+C) ends it with status 0 after counting the bad datagrams.
# Usage: follow_test.sh PROGRAM (tests/wine/Pelvorn.sh)
. "$(dirname "$0")/../e2e/lib.sh"
wine_sh=$(realpath "$(dirname "$0")/wine.sh")
send=$(realpath "$(dirname "$0")/../follow/send_datagrams.py")
program=$(realpath "$program")
start_xvfb
"$wine_sh" cmd /c exit
command -v script >/dev/null || { echo "FAIL - script is missing (Debian package bsdutils)"; exit 1; }
cd "$work" || exit 1
port=$(python3 -c 'import socket; s = socket.socket(socket.AF_INET, socket.SOCK_DGRAM); s.bind(("127.0.0.1", 0)); print(s.getsockname()[1])')

# On a terminal of its own, its output redirected to files.
LANG=$PLANG script -qfc "'$program' --follow 127.0.0.1:$port >follow.out 2>follow.err; echo \$? >status" /dev/null \
  </dev/null >/dev/null 2>&1 &
listening() { grep -qF "Pelvorn: Warte auf WSJT-X an 127.0.0.1:$port (Ende mit Strg+C)" follow.err 2>/dev/null; }
check "listens" wait_until 60 listening || finish
"$send" "$port" GARBAGE HUGE STATUS:K1ABC:KM38 STATUS:K1ABC:KM38 STATUS:K1ABC:XX99 STATUS:K1ABC:JO20
has_lines() { [ "$(grep -c . follow.out)" -ge 2 ]; }
check "two lines" wait_until 10 has_lines
check_eq "the lines, as on Linux" "1892,585 km/139,74 ° K1ABC|595,797 km/251,28 ° K1ABC" "$(paste -sd'|' follow.out)"
check "the invalid grid named" grep -qxF 'Pelvorn: Kein gültiger Locator von WSJT-X: "XX99"' follow.err

exe=$(pgrep -u "$(id -u)" -f "Pelvorn.exe --follow 127.0.0.1:$port" | head -n 1)
check "found Pelvorn.exe" test -n "$exe"
[ -z "$exe" ] || kill -INT "$exe"
check "Ctrl+C ends it" wait_until 10 test -s status
check_eq "Ctrl+C: status 0" 0 "$(cat status 2>/dev/null)"
check "the bad datagrams counted" grep -qxF "Pelvorn: 2 unlesbare Datagramme übersprungen" follow.err
finish
