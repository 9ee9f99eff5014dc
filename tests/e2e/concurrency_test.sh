#!/bin/bash
# Sixteen hidden runs at once, four rounds, on a bare X server: every run
# ends with status 0 and its own line on standard output, however the
# clipboard changed hands between them; afterwards exactly one clipboard
# keeper is left, holding a line of the last round.
. "$(dirname "$0")/lib.sh"
start_xvfb

failures=
for round in 1 2 3 4; do
  for k in {10..25}; do
    # Each run its own line: the foreign longitude differs.
    LANG=$PLANG "$program" "G;52,5;38,5;13;2$round,$k;V-" >"$work/$round.$k.out" 2>"$work/$round.$k.err" &
    pids[k]=$!
  done
  for k in {10..25}; do
    wait "${pids[k]}"
    rc=$?
    lines=$(grep -c ' km/.* °$' "$work/$round.$k.out")
    [ "$rc/$lines" = 0/1 ] || failures+="round $round run $k: status $rc, $lines line(s): $(cat "$work/$round.$k.err")"$'\n'
  done
done
check_eq "16 hidden runs at once, 4 rounds: runs without status 0 and their line" "" "$failures"
check_eq "every run its own line" 64 "$(cat "$work"/*.out | sort -u | wc -l)"
check_eq "nothing on standard error" "" "$(cat "$work"/*.err)"
keepers() { ours 'pelvorn-clipboard-keeper$' | wc -l; }
check "one keeper left" wait_until 5 eval '[ "$(keepers)" = 1 ]'
check "the clipboard holds a line of the last round" grep -qxF "$(clipboard | tr -d '|')" <(cat "$work"/4.*.out)
finish
