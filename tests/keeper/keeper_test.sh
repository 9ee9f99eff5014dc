#!/bin/bash
# The clipboard keeper on a private Xvfb: the handed-over line is on the
# clipboard as soon as the handover returns, in each text form offered, and
# stays there after the caller has ended until another program takes the
# clipboard or the X server goes away; at most one keeper lives per display;
# without a display the handover fails at once.
# usage: keeper_test.sh DRIVER KEEPER (the driver runs as the program)
. "$(dirname "$0")/../e2e/lib.sh"
keeper=$2
keepers() { ours "^$keeper\$" | wc -l; }
start_xvfb

line='1892,585 km/139,74 °'
run "$keeper" "$line"
check_eq "handover inside \$(...): status" 0 "$rc"
check "handover inside \$(...) returns promptly ($took ms)" [ "$took" -lt 3000 ]
check_eq "the line is on the clipboard at once" "$line|" "$(clipboard)"
check_eq "one keeper outlives its caller" 1 "$(keepers)"
# target | bytes expected
for row in 'STRING|1892,585 km/139,74 \xb0' 'TEXT|1892,585 km/139,74 \xc2\xb0' \
  'text/plain;charset=utf-8|1892,585 km/139,74 \xc2\xb0'; do
  check_eq "target ${row%%|*}" "$(printf '%b|' "${row#*|}")" "$(clipboard "${row%%|*}")"
done
check "TARGETS names UTF8_STRING" grep -qx UTF8_STRING <(clipboard TARGETS)
check "an unknown target is refused" eval '! timeout 3 xclip -o -selection clipboard -target image/png >/dev/null 2>&1'

run "$keeper" "$(printf 'Gr\xc3\xbc\xc3\x9fe \xe2\x82\xac \xf0\x9f\x93\xa1 \xc2\xb0')"
check_eq "second handover: status" 0 "$rc"
check "second handover: one keeper left" wait_until 2 eval '[ "$(keepers)" = 1 ]'
check_eq "second handover: STRING is Latin-1, \"?\" for the rest" \
  "$(printf 'Gr\xfc\xdfe ? ? \xb0|')" "$(clipboard STRING)"

printf other | xclip -selection clipboard -i >/dev/null 2>&1
check "the keeper ends once xclip took the clipboard" wait_until 2 eval '[ "$(keepers)" = 0 ]'
run "$keeper" "$line"
kill "$xvfb_pid" && wait "$xvfb_pid"
xvfb_pid=
check "a keeper ends when the X server goes away" wait_until 2 eval '[ "$(keepers)" = 0 ]'

unset DISPLAY
run "$keeper" "$line"
check_eq "no DISPLAY: status" 1 "$rc"
check "no DISPLAY: fails at once ($took ms)" [ "$took" -lt 2000 ]
finish
