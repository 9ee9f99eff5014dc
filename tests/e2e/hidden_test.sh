#!/bin/bash
# Hidden runs on a bare X server: the result line on standard output and on
# the clipboard, which keeps it after the run has returned; runs without a
# result end by themselves with status 1 and leave the clipboard alone.
. "$(dirname "$0")/lib.sh"
start_xvfb

# A refused locator: one beep, no result, back at once.
printf 'vorher' | xclip -selection clipboard -i 2>/dev/null
run 'L;JO6A;KM38mm;;;V-'
check_eq "refused locator: status 1" 1 "$rc"
check "refused locator: back at once ($took ms)" [ "$took" -le 5000 ]
check_file "refused locator: nothing on standard output" "$work/run.out" ""
check_clipboard "refused locator: clipboard as it was" vorher

# A result: on standard output, on the clipboard after the run has returned.
run "$HIDDEN_L"
check_eq "result: status 0 ($took ms)" 0 "$rc"
check_file "result: the line on standard output" "$work/run.out" "$RESULT_DE"
check_eq "result: on the clipboard when the run is back" "$RESULT_DE" "$(clipboard)"

# Inside $(...): whatever keeps the clipboard must not hold standard output.
printf 'vorher' | xclip -selection clipboard -i 2>/dev/null
(
  start=$(now_ms)
  out=$(LANG=$PLANG timeout -k 2 10 "$PELVORN" "$HIDDEN_L" 2>/dev/null)
  printf '%s\n%s\n%s\n' "$?" "$(($(now_ms) - start))" "$out" >"$work/captured"
) &
pids+=($!)
rc='' took='' out=''
wait_until 8 test -s "$work/captured" && { read -r rc; read -r took; read -r out; } <"$work/captured"
check_eq 'out=$(...): status 0' 0 "$rc"
check_eq 'out=$(...): the line' "$RESULT_DE" "$out"
check "out=\$(...): returns promptly (${took:-no end} ms)" [ "${took:-99999}" -le 5000 ]
check_clipboard 'out=$(...): on the clipboard' "$RESULT_DE"

# What keeps the clipboard is no running copy.
launch window
check "an ordinary start after hidden runs is not refused" wait_until 10 has_window "$MAIN_TITLE" "$pid"
stop "$pid"

# An unknown mode: the box is shown all the same; after OK the run ends.
launch mode 'X;1;2;3;4;V-'
check "mode X: box titled \"$MODE_TITLE\"" wait_until 10 has_window "$MODE_TITLE" "$pid"
press "$MODE_TITLE" "$pid" Return
await "$pid" 5
check_eq "mode X: status 1 after OK" 1 "$rc"
check_file "mode X: nothing on standard output" "$work/mode.out" ""
check_clipboard "later runs without result leave the clipboard alone" "$RESULT_DE"
finish
