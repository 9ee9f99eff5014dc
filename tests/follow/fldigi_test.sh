#!/bin/bash
# Pelvorn --follow fldigi against the real fldigi (Debian's, which must start) on a private Xvfb: started before
# fldigi, its log panel typed into, the line, the dummy rotator turned; fldigi's own locator from its settings;
# the window filled; servers that close or never answer. $1 the program, $2 rotator_stub (for free ports).
. "$(dirname "$0")/../rotator/rotator_lib.sh"
command -v fldigi >/dev/null || { echo "FAIL - fldigi is missing (Debian package fldigi)"; exit 1; }
XVFB_SCREEN=1600x1000x24 start_xvfb
echo "# fldigi $(dpkg-query -W -f '${Version}' fldigi 2>/dev/null)"
# Where the log panel's Call and Loc fields are in fldigi's main window.
CALL_FIELD='430 60'
LOC_FIELD='665 84'

port=$("$stub" free-port)
fldigi_at=fldigi:127.0.0.1:$port
# Without a settings file fldigi 4.1.23 shows its first-run wizard, waits for it in a loop of its own that
# a window without a window manager never ends, and so never starts its XML-RPC server. Any settings
# file skips the wizard; MYLOC is the station's own locator.
mkdir -p "$work/fldigi" "$work/home"
cat >"$work/fldigi/fldigi_def.xml" <<XML
<FLDIGI_DEFS>
<MYCALL>DL1ABC</MYCALL>
<MYLOC>JO62MM</MYLOC>
</FLDIGI_DEFS>
XML

# follow ARGUMENT...: starts Pelvorn ARGUMENT... (following fldigi); its id in $follower.
follow() {
  : >"$work/follow.out"
  : >"$work/follow.err"
  LANG=$PLANG "$program" "$@" >"$work/follow.out" 2>"$work/follow.err" &
  follower=$!
  wait_until 10 grep -qF "Frage fldigi an 127.0.0.1:$port alle" "$work/follow.err" ||
    { echo "FAIL - Pelvorn --follow fldigi does not start: $(cat "$work/follow.err")"; exit 1; }
}
said() { wait_until "$1" grep -qF "$2" "$work/follow.err"; }
stop_follower() { kill -TERM "$follower" && wait "$follower"; }
# fldigi listens on every address, whatever --xmlrpc-server-address says.
fldigi_listens() { grep -q ":$(printf %04X "$port") 00000000:0000 0A " /proc/net/tcp; }
fldigi_window() { xdotool search --onlyvisible --pid "$fldigi_pid" --name '^fldigi ver' 2>/dev/null | head -n 1; }
start_fldigi() {
  fldigi --config-dir "$work/fldigi/" --home-dir "$work/home/" --xmlrpc-server-address 127.0.0.1 \
    --xmlrpc-server-port "$port" >"$work/fldigi.log" 2>&1 &
  fldigi_pid=$!
  if ! wait_until 60 fldigi_listens || ! wait_until 20 test -n "$(fldigi_window)"; then
    echo "FAIL - fldigi did not answer on port $port or show its window within 60 s:"
    tail -n 20 "$work/fldigi.log"
    exit 1
  fi
}
# type_into FIELD TEXT: replaces what fldigi's field at FIELD (in its window) holds by TEXT.
type_into() {
  local X Y
  eval "$(xdotool getwindowgeometry --shell "$(fldigi_window)" | grep -E '^(X|Y)=')"
  set -- $1 "$2"
  xdotool mousemove $((X + $1)) $((Y + $2)) click 1 && xdotool key ctrl+a BackSpace && xdotool type --delay 20 "$3"
}
# retype LINE COMMAND...: types by COMMAND until Pelvorn prints LINE (10 tries); the try in $typed, or empty.
retype() {
  typed=
  for attempt in 1 2 3 4 5 6 7 8 9 10; do
    "${@:2}"
    wait_until 2 grep -qxF "$1" "$work/follow.out" && typed=$attempt && return
  done
}

# Started before fldigi: it says once that fldigi does not answer, and once that it does again.
start_rotctld
follow --follow "$fldigi_at" --own JO62MM --rotator "127.0.0.1:$rot_port" --turn --settle=0.5 --poll 0.2
check "fldigi not running: the notice" said 5 "fldigi an 127.0.0.1:$port antwortet nicht (Verbindung abgelehnt"
start_fldigi
check "fldigi started: the notice that it answers" said 10 "fldigi an 127.0.0.1:$port antwortet wieder"
check_eq "each notice once" 2 "$(grep -c '^Pelvorn: fldigi an' "$work/follow.err")"
call_and_locator() { type_into "$CALL_FIELD" K1ABC && type_into "$LOC_FIELD" KM38MM; }
retype "$RESULT_DE K1ABC" call_and_locator
check "the line for KM38MM with the call (typed at attempt ${typed:-none})" test -n "$typed"
check "the dummy rotator turns to 139.74" wait_until 60 stands_at "$rot_port" 139.74
check "the rotator's command is reported" grep -qF "Rotor dreht auf 139,74°" "$work/follow.err"
stop_follower
check_eq "SIGTERM: status 0" 0 "$?"

# fldigi's own locator, from its settings; the locator already in the field gives the line at once.
follow --follow "$fldigi_at"
check "fldigi's own locator: the line" wait_until 5 grep -qxF "$RESULT_DE K1ABC" "$work/follow.out"
check_eq "no notice while fldigi answers" "" "$(grep '^Pelvorn: fldigi an' "$work/follow.err")"

# The window follows: the locator in the field fills its boxes and calculates.
LANG=$PLANG "$program" --follow "$fldigi_at" --window 2>"$work/window.err" &
window=$!
check "the window opens" wait_until 20 has_window "$MAIN_TITLE" "$window"
check_clipboard "the window calculated JO62MM to KM38MM" "$RESULT_DE"
stop "$window"

# fldigi ends: one notice.
kill "$fldigi_pid"
check "fldigi ended: the notice" said 10 "fldigi an 127.0.0.1:$port antwortet nicht"
stop_follower

# Python's XML-RPC server, which closes each connection after its answer, started after Pelvorn: the line
# comes with the first answer, right behind the notice that it answers.
port=$("$stub" free-port)
follow --follow "fldigi:127.0.0.1:$port" --own JO62MM
check "nothing there yet: the notice" said 5 "antwortet nicht (Verbindung abgelehnt"
python3 -c 'import sys; from xmlrpc.server import SimpleXMLRPCServer as Server
server = Server(("127.0.0.1", int(sys.argv[1])), logRequests=False)
server.register_function(lambda: "KM38MM", "log.get_locator"), server.register_function(lambda: "K1ABC", "log.get_call")
server.serve_forever()' "$port" &
check "a server that closes each connection: the line" wait_until 10 grep -qxF "$RESULT_DE K1ABC" "$work/follow.out"
stop_follower

# A server that accepts and never answers: the poll ends after its time limit.
start_stub silent
port=$stub_port
follow --follow fldigi:127.0.0.1:$port --own JO62MM
check "a silent server: the notice after 3 s" said 6 "antwortet nicht (keine Antwort innerhalb von 3 s)"
stop_follower
check_eq "SIGTERM while a poll waits: status 0" 0 "$?"

finish
