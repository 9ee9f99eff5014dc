#!/bin/bash
# Pelvorn --follow n1mm on real sockets, beside another program that listens on the port first (both reuse the
# address): N1MM's broadcasts reach both, a lookupinfo gives the line and turns Hamlib's dummy rotator; a unicast
# datagram reaches only the listener bound last (Linux), here Pelvorn. $1 the program, $2 rotator_stub (free ports).
. "$(dirname "$0")/../rotator/rotator_lib.sh"
send() { python3 "$(dirname "$0")/send_datagrams.py" "$@"; }
port=$("$stub" free-port)
LANG=$PLANG "$program" --follow n1mm >/dev/null 2>"$work/run.err"
check_eq "without --own: status 2, saying why" "2 1" "$? $(grep -c 'braucht --own' "$work/run.err")"

python3 -c 'import socket as S, sys; s = S.socket(S.AF_INET, S.SOCK_DGRAM); s.setsockopt(S.SOL_SOCKET, S.SO_REUSEADDR, 1)
s.bind(("0.0.0.0", int(sys.argv[1])))
while True: print(len(s.recv(70000)), flush=True)' "$port" >"$work/other.log" &  # the other listener
bound() { grep -q " 00000000:$(printf %04X "$port") " /proc/net/udp; }
wait_until 20 bound || { echo "FAIL - the other listener did not start"; exit 1; }
others() { wc -l <"$work/other.log"; }
start_rotctld
LANG=$PLANG "$program" --follow "n1mm:0.0.0.0:$port" --own JO62MM --rotator "127.0.0.1:$rot_port" --turn --settle 0 \
  >"$work/follow.out" 2>"$work/follow.err" &
follower=$!
check "Pelvorn listens beside it" wait_until 20 grep -qF "Warte auf N1MM-Meldungen an 0.0.0.0:$port" "$work/follow.err"
send "127.255.255.255:$port" HUGE GARBAGE N1MM:RadioInfo:K1ABC:JO20 N1MM:lookupinfo:K1ABC:KM38MM
check "a broadcast lookupinfo with KM38MM: the line" wait_until 10 grep -qxF "$RESULT_DE K1ABC" "$work/follow.out"
check "the other listener has the broadcasts too" wait_until 10 eval '[ "$(others)" = 4 ]'
check "the dummy rotator turns to 139.74" wait_until 60 stands_at "$rot_port" 139.74
send "$port" N1MM:contactinfo:K2XYZ:JO20
check "a contactinfo to 127.0.0.1: the line" wait_until 10 grep -qxF "595,797 km/251,28 ° K2XYZ" "$work/follow.out"
check_eq "... not for the other listener" 4 "$(others)"
kill -TERM "$follower"
wait "$follower"
check_eq "SIGTERM: status 0" 0 "$?"
check "the huge and the garbage datagram are counted" grep -qF "2 unlesbare Datagramme übersprungen" "$work/follow.err"
finish
