#!/bin/bash
# A hidden run with good input needs no toolkit: with the Qt front end gone
# it still puts its line on the clipboard (X11: the keeper; no display:
# standard output only) and ends with status 0; input that needs a box or a
# beep then fails, naming the missing front end. The console tools, --help
# and --version need no toolkit and no display.
# usage: toolkit_free_test.sh PROGRAM (the build's Pelvorn, next to pelvorn-qt)
. "$(dirname "$0")/lib.sh"
built=$program
mkdir "$work/alone"
cp "$built" "$(dirname "$built")/pelvorn-clipboard-keeper" "$work/alone/"
program=$work/alone/Pelvorn
start_xvfb

for row in "de_DE.UTF-8|$RESULT_DE" "en_US.UTF-8|$RESULT_EN" "C.UTF-8|$RESULT_EN"; do
  PLANG=${row%%|*}
  set_clipboard vorher
  run "$HIDDEN_L"
  check_eq "no Qt, $PLANG: status" 0 "$rc"
  check_out "no Qt, $PLANG: the line on standard output" "${row#*|}"
  check_eq "no Qt, $PLANG: on the clipboard" "${row#*|}|" "$(clipboard)"
done
PLANG=de_DE.UTF-8

# Each needs a box or a beep, or a locale only Qt knows.
for line in 'L;JO62;KM38mm;;;V-' 'X;1;2;3;4;V-' 'G;95;38,5;13;27;V-'; do
  run "$line"
  check "no Qt, $line: fails naming the front end" grep -q 'pelvorn-qt fehlt' "$work/run.err"
done
PLANG=fr_FR.UTF-8 run "$HIDDEN_L"
check "no Qt, a locale Qt alone knows: fails naming the front end" grep -q 'pelvorn-qt fehlt' "$work/run.err"

(unset DISPLAY; run "$HIDDEN_L"
 check_eq "no Qt, no display: status" 0 "$rc"
 check_out "no Qt, no display: the line on standard output" "$RESULT_DE"
 check "no Qt, no display: says the clipboard is out of reach" grep -q 'Keine Zwischenablage' "$work/run.err"
 run --batch <<<'L;JO62mm;KM38mm'
 check_eq "no Qt, no display, --batch: status" 0 "$rc"
 check_out "no Qt, no display, --batch: its line" "$RESULT_DE"
 for option in --help --version; do
   run "$option"
   check "no Qt, no display, $option" test "$rc" = 0 -a -s "$work/run.out"
 done
 exit $((failed > 0))) || failed=$((failed + 1))
finish
