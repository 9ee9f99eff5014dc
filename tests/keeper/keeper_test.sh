#!/bin/bash
# The clipboard keeper on a private Xvfb: the handed-over line is on the
# clipboard as soon as the handover returns, in each text form offered, and
# stays there after the caller has ended until the X server goes away;
# without a display the handover fails at once. (Back promptly inside $(...):
# tests/scenarios; a newer owner ends a keeper, one keeper per display:
# tests/e2e/concurrency_test.sh.)
# usage: keeper_test.sh DRIVER KEEPER (the driver runs as the program)
. "$(dirname "$0")/../e2e/lib.sh"
keeper=$2
keepers() { ours "^$keeper\$" | wc -l; }
# racer MILLISECONDS: takes CLIPBOARD over and over for that long, to overtake
# a keeper while it takes it. Xlib connects; the requests go straight onto the
# connection, whose blocking writes keep them from piling up.
racer() {
  exec python3 -c 'import ctypes, socket, struct, sys, time
x = ctypes.CDLL("libX11.so.6")
x.XOpenDisplay.restype = ctypes.c_void_p
display = ctypes.c_void_p(x.XOpenDisplay(None))
window = x.XCreateSimpleWindow(display, x.XDefaultRootWindow(display), 0, 0, 1, 1, 0, 0, 0)
clipboard = x.XInternAtom(display, b"CLIPBOARD", 0)
x.XSync(display, 0)
batch = struct.pack("=BxHIII", 22, 4, window, clipboard, 0) * 2000  # SetSelectionOwner
connection = socket.socket(fileno=x.XConnectionNumber(display))
connection.setblocking(True)
end = time.monotonic() + int(sys.argv[1]) / 1000
while time.monotonic() < end:
    connection.sendall(batch)' "$1"
}
start_xvfb

line='1892,585 km/139,74 °'
run "$keeper" "$line"
check_eq "handover: status" 0 "$rc"
check_eq "the line is on the clipboard at once" "$line|" "$(clipboard)"
# target | bytes expected
for row in 'STRING|1892,585 km/139,74 \xb0' 'TEXT|1892,585 km/139,74 \xc2\xb0' \
  'text/plain;charset=utf-8|1892,585 km/139,74 \xc2\xb0'; do
  check_eq "target ${row%%|*}" "$(printf '%b|' "${row#*|}")" "$(clipboard "${row%%|*}")"
done
check "TARGETS names UTF8_STRING" grep -qx UTF8_STRING <(clipboard TARGETS)
check "an unknown target is refused" eval '! timeout 3 xclip -o -selection clipboard -target image/png >/dev/null 2>&1'

run "$keeper" "$(printf 'Gr\xc3\xbc\xc3\x9fe \xe2\x82\xac \xf0\x9f\x93\xa1 \xc2\xb0')"
check_eq "second handover: STRING is Latin-1, \"?\" for the rest" \
  "$(printf 'Gr\xfc\xdfe ? ? \xb0|')" "$(clipboard STRING)"

# A caller that is gone when the keeper answers (killed while it waited):
# the keeper reads its line from one FIFO and answers into another whose
# only reader is closed before the line is complete, so the answer fails.
mkfifo "$work/in" "$work/answer"
exec 7<>"$work/answer"
"$keeper" <"$work/in" >"$work/answer" 2>/dev/null &
exec 7<&-
printf 'nach dem Aufrufer' >"$work/in"
check_clipboard "caller gone before the answer: the keeper serves the line" 'nach dem Aufrufer'
check "caller gone before the answer: the keeper lives on" wait_until 2 eval '[ "$(keepers)" = 1 ]'

# Handovers while another client takes the clipboard over and over: each is
# overtaken while taking it, which is a success (status 3), not a failure.
racer 30000 &
racing=$!
# They go on until one has been overtaken (a loaded machine may let the
# racer in only now and then), 200 at the most.
statuses=
for k in $(seq 200); do
  "$program" "$keeper" "überholt $k" >/dev/null 2>>"$work/racing.err"
  statuses+=" $?"
  [[ $statuses == *' 3'* && $k -ge 12 ]] && break
done
stop "$racing"
check_eq "handovers during a race for the clipboard: failures" "" "$(tr ' ' '\n' <<<"$statuses" | grep -vx '[03]\|' | sort | uniq -c)"
check "handovers during a race: some overtaken" grep -q ' 3' <<<"$statuses"
check_eq "handovers during a race: nothing on standard error" "" "$(cat "$work/racing.err")"
run "$keeper" "$line"
kill "$xvfb_pid" && wait "$xvfb_pid"
xvfb_pid=
check "a keeper ends when the X server goes away" wait_until 2 eval '[ "$(keepers)" = 0 ]'

# Each failed handover ends in time and says why, in German (the driver prints
# it on standard error as the program does).
printf '#!/bin/sh\nexec sleep 60\n' >"$work/silent" && printf '#!/bin/sh\nexit 0\n' >"$work/mute"
chmod +x "$work/silent" "$work/mute"
unset DISPLAY
# keeper | part of the line on standard error
cases=(
  "$keeper|X-Server ist für die Zwischenablage nicht erreichbar"
  "|pelvorn-clipboard-keeper ist nicht installiert"
  "$work/silent|hat nicht rechtzeitig geantwortet"
  "$work/mute|ist unerwartet beendet worden"
  "$work/nowhere|ließ sich nicht starten"
)
for row in "${cases[@]}"; do
  IFS='|' read -r program_ text <<<"$row"
  name="keeper ${program_:-missing}"
  run "$program_" "$line" 1000
  check "$name: ends within its time ($took ms)" [ "$took" -lt 3000 ]
  check "$name: standard error says \"$text\"" grep -qF "$text" "$work/run.err"
done
check_eq "no keeper left behind" "" "$(ours 'sleep 60')"
finish
