#!/bin/bash
# Pelvorn --follow against the real WSJT-X (Debian's wsjtx) on a private
# Xvfb: its DX Grid box typed into, the line printed, the dummy rotator
# turned, the window's boxes filled while the console
# follows too (WSJT-X sends to a multicast group on the loopback). Bad
# datagrams are FollowTest's and, counted at the end, those of
# tests/wine/console_test.sh. WSJT-X that does not start is a failure.
# $1 the program, $2 rotator_stub (for free ports).
. "$(dirname "$0")/../rotator/rotator_lib.sh"
command -v wsjtx >/dev/null || { echo "FAIL - wsjtx is missing (Debian package wsjtx)"; exit 1; }
XVFB_SCREEN=1600x1000x24 start_xvfb
echo "# WSJT-X $(dpkg-query -W -f '${Version}' wsjtx 2>/dev/null)"
# Where the DX boxes are on a 1600x1000 screen without a window manager.
DX_CALL_BOX='176 527'
DX_GRID_BOX='262 527'

port=$("$stub" free-port)
group=224.0.0.1:$port
mkdir -p "$work/home/.config" "$work/tmp"
cat >"$work/home/.config/WSJT-X.ini" <<INI
[Configuration]
MyCall=DL1ABC
MyGrid=JO62MM
UDPServer=224.0.0.1
UDPServerPort=$port
UDPInterface=lo
UDPTTL=1
INI
# follow ARGUMENT...: starts Pelvorn ARGUMENT... (following GROUP); its id
# in $follower.
follow() {
  : >"$work/follow.out"
  : >"$work/follow.err"
  LANG=$PLANG "$program" "$@" >"$work/follow.out" 2>"$work/follow.err" &
  follower=$!
  wait_until 10 grep -qF "Warte auf WSJT-X an $group" "$work/follow.err" ||
    { echo "FAIL - Pelvorn --follow does not listen: $(cat "$work/follow.err")"; exit 1; }
}
# type_into BOX TEXT: replaces what WSJT-X's box at BOX holds by TEXT.
type_into() {
  # shellcheck disable=SC2086 # BOX is two numbers
  xdotool mousemove $1 click 1 && xdotool key ctrl+a BackSpace && xdotool type --delay 20 "$2"
}
# retype COMMAND...: types into WSJT-X's boxes by COMMAND until a line with
# the call is printed (at most 10 times); the attempt in $typed, empty when none.
calls() { grep -c ' K1ABC$' "$work/follow.out"; }
retype() {
  local before
  typed=
  for attempt in 1 2 3 4 5 6 7 8 9 10; do
    before=$(calls)
    "$@"
    wait_until 2 eval '[ "$(calls)" -gt "$before" ]' && typed=$attempt && return
  done
}

start_rotctld
follow --follow "$group" --rotator "127.0.0.1:$rot_port" --turn --settle=0.5

HOME=$work/home XDG_CONFIG_HOME=$work/home/.config TMPDIR=$work/tmp wsjtx >"$work/wsjtx.log" 2>&1 &
wsjtx_pid=$!
wsjtx_up() { [ -n "$(xdotool search --onlyvisible --pid "$wsjtx_pid" --name '^WSJT-X +v' 2>/dev/null)" ]; }
# WSJT-X and its decoder share 48 MB of System V shared memory, which a
# killed WSJT-X leaves behind (a stale one makes the next start fail):
# removed at the end with the clean-up's kill.
segments=
forget_segments() {
  local key
  cleanup
  for key in $segments; do ipcrm -M "0x$key" 2>/dev/null; done
}
trap forget_segments EXIT
note_segments() {
  segments=$(grep -o 'SYSV[0-9a-f]*' "/proc/$wsjtx_pid/maps" 2>/dev/null | sed 's/SYSV//' | sort -u)
  [ -n "$segments" ]
}
if ! wait_until 60 wsjtx_up; then
  echo "FAIL - WSJT-X did not open its main window within 60 s:"
  tail -n 20 "$work/wsjtx.log"
  exit 1
fi
check "WSJT-X's shared memory noted" wait_until 10 note_segments
# Its boxes take keys some time after its windows appear: the line for KM38
# with the call is the sign that they do.
call_and_grid() { type_into "$DX_CALL_BOX" K1ABC && type_into "$DX_GRID_BOX" KM38M; }
retype call_and_grid
if [ -z "$typed" ]; then
  echo "FAIL - no line with the call for KM38 from WSJT-X after 10 attempts (are the DX boxes where they were?)"
  tail -n 20 "$work/wsjtx.log"
  exit 1
fi
echo "# WSJT-X took the keys at attempt $typed"
check_eq "the line: result and call" "1892,585 km/139,74 ° K1ABC" "$(tail -n 1 "$work/follow.out")"
check "the dummy rotator turns to 139.74" wait_until 60 stands_at "$rot_port" 139.74
check "the rotator's command is reported" grep -qF "Rotor dreht auf 139,74°" "$work/follow.err"
kill -TERM "$follower"
wait "$follower"
check_eq "SIGTERM: status 0" 0 "$?"

# The window follows beside the console: the next grid fills its boxes and
# calculates, and the console prints it.
follow --follow "$group"
LANG=$PLANG "$program" --follow "$group" --window 2>"$work/window.err" &
window=$!
check "the window opens" wait_until 20 has_window "$MAIN_TITLE" "$window"
retype type_into "$DX_GRID_BOX" JO20
check "WSJT-X took JO20 (attempt $typed)" test -n "$typed"
check_clipboard "the window calculated JO62MM to JO20MM" "595,797 km/251,28 °"
check "the console beside it prints JO20" wait_until 5 grep -qxF "595,797 km/251,28 ° K1ABC" "$work/follow.out"
stop "$window"

finish
