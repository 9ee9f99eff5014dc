#!/bin/bash
# A hidden run with good input needs no toolkit: with the Qt front end gone
# it still puts its line on the clipboard (X11: the keeper; no display:
# standard output only) and ends with status 0; input that needs a box or a
# beep then fails, naming the missing front end. The console tools, --help
# and --version need no toolkit in any locale. A hidden run is one however
# the blanks stand around V-: beside a running copy it runs instead of
# meeting the guard's box.
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
run 'G;52,5;38,5;13;27;V-'
check_out "no Qt, mode G" '1892,82 km/139,73 °'

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
 exit $((failed > 0))) || failed=$((failed + 1))

# Console tools without the front end; a locale outside the table that is
# not installed (LOCPATH names an empty directory) prints the C point.
mkdir "$work/no-locales"
tsv=$(printf 'JO62MM\tKM38MM\t1892.585\t139.74\t38116.565\t319.74\t1894')
for row in "de_DE.UTF-8|--batch|$RESULT_DE" "fr_FR.UTF-8|--batch|$RESULT_EN" "de_DE.UTF-8|--tsv|$tsv"; do
  IFS='|' read -r PLANG tool expected <<<"$row"
  if [ "$tool" = --tsv ]; then set -- 'L;JO62mm;KM38mm'; else set --; fi
  LOCPATH=$work/no-locales run "$tool" "$@" <<<'L;JO62mm;KM38mm'
  check_eq "no Qt, $tool in $PLANG: status" 0 "$rc"
  check_out "no Qt, $tool in $PLANG: its line" "$expected"
done
for option in --help --version; do
  run "$option"
  check "no Qt, $option" test "$rc" = 0 -a -s "$work/run.out"
done

program=$built PLANG=de_DE.UTF-8
launch
check "first copy shows its window" wait_until 10 has_window "$MAIN_TITLE" "$pid"
run 'L;JO62mm;KM38mm;;; V- '
check_eq "hidden run with blanks beside a running copy: status" 0 "$rc"
check_out "hidden run with blanks beside a running copy: its line" "$RESULT_DE"
stop "$pid"
finish
