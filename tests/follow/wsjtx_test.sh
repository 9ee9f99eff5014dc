#!/bin/bash
# Pelvorn --follow against the real WSJT-X (Debian's wsjtx) on a private
# Xvfb: its DX Grid box typed into, the line printed with the time it took,
# the dummy rotator turned, the window's boxes filled; bad datagrams between
# them skipped and counted. WSJT-X that does not start is a failure.
# $1 the program, $2 rotator_stub (for free ports).
. "$(dirname "$0")/../rotator/rotator_lib.sh"
here=$(dirname "$0")
command -v wsjtx >/dev/null || { echo "FAIL - wsjtx is missing (Debian package wsjtx)"; exit 1; }
XVFB_SCREEN=1600x1000x24 start_xvfb
echo "# WSJT-X $(dpkg-query -W -f '${Version}' wsjtx 2>/dev/null)"
# Where the DX boxes are on a 1600x1000 screen without a window manager.
DX_CALL_BOX='176 527'
DX_GRID_BOX='262 527'

port=$("$stub" free-port)
mkdir -p "$work/home/.config" "$work/tmp"
cat >"$work/home/.config/WSJT-X.ini" <<INI
[Configuration]
MyCall=DL1ABC
MyGrid=JO62MM
UDPServer=127.0.0.1
UDPServerPort=$port
INI
lines() { grep -c . "$work/follow.out"; }
has_lines() { [ "$(lines)" -ge "$1" ]; }
listening_udp() { grep -q "Warte auf WSJT-X an 127.0.0.1:$port" "$work/follow.err"; }
# follow ARGUMENT...: starts Pelvorn --follow on the port; its id in $follower.
follow() {
  : >"$work/follow.out"
  : >"$work/follow.err"
  LANG=$PLANG "$program" "$@" >"$work/follow.out" 2>"$work/follow.err" &
  follower=$!
  wait_until 10 listening_udp || { echo "FAIL - Pelvorn --follow does not listen: $(cat "$work/follow.err")"; exit 1; }
}
# type_into BOX TEXT: replaces what WSJT-X's box at BOX holds by TEXT.
type_into() {
  # shellcheck disable=SC2086 # BOX is two numbers
  xdotool mousemove $1 click 1 && xdotool key ctrl+a BackSpace && xdotool type --delay 20 "$2"
}

start_rotctld
follow --rotator "127.0.0.1:$rot_port" --follow "127.0.0.1:$port" --turn --settle 0.5
"$here/send_datagrams.py" "$port" GARBAGE HUGE STATUS:K1ABC:XX99
check "bad datagrams: the invalid grid is named" wait_until 5 grep -qF 'Kein gültiger Locator von WSJT-X: "XX99"' "$work/follow.err"

HOME=$work/home XDG_CONFIG_HOME=$work/home/.config TMPDIR=$work/tmp wsjtx >"$work/wsjtx.log" 2>&1 &
wsjtx_pid=$!
wsjtx_up() { [ -n "$(xdotool search --onlyvisible --pid "$wsjtx_pid" --name '^WSJT-X +v' 2>/dev/null)" ]; }
if ! wait_until 60 wsjtx_up; then
  echo "FAIL - WSJT-X did not open its main window within 60 s:"
  tail -n 20 "$work/wsjtx.log"
  exit 1
fi
# Its boxes take keys some time after its windows appear: the line for KM38
# is the sign that they do.
typed=
for attempt in 1 2 3 4 5 6 7 8 9 10; do
  type_into "$DX_CALL_BOX" K1ABC
  type_into "$DX_GRID_BOX" KM38M
  wait_until 2 has_lines 1 && typed=$attempt && break
done
if [ -z "$typed" ]; then
  echo "FAIL - no line for KM38 from WSJT-X after 10 attempts (are the DX boxes where they were?)"
  tail -n 20 "$work/wsjtx.log"
  exit 1
fi
echo "# WSJT-X took the keys at attempt $typed"
start=$(now_ms)
xdotool type M
check "typed KM38MM: a second line" wait_until 5 has_lines 2
echo "# latency from the last key to the line: $(($(now_ms) - start)) ms"
check_eq "the line: result and call" "1892,585 km/139,74 ° K1ABC" "$(sed -n 2p "$work/follow.out")"
check "the dummy rotator turns to 139.74" wait_until 60 stands_at "$rot_port" 139.74
check "the rotator's command is reported" grep -qF "Rotor dreht auf 139,74°" "$work/follow.err"
kill -TERM "$follower"
wait "$follower"
check_eq "SIGTERM: status 0" 0 "$?"
check "the bad datagrams counted" grep -qF "Pelvorn: 2 unlesbare Datagramme übersprungen" "$work/follow.err"

# The window follows: the next grid fills its boxes and calculates.
LANG=$PLANG "$program" --follow "127.0.0.1:$port" --window 2>"$work/window.err" &
window=$!
check "the window opens" wait_until 20 has_window "$MAIN_TITLE" "$window"
type_into "$DX_GRID_BOX" JO20
check_clipboard "the window calculated JO62MM to JO20MM" "595,797 km/251,28 °"
stop "$window"

finish
