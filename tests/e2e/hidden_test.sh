#!/bin/bash
# Hidden runs on a bare X server: the result line on standard output and on
# the clipboard, which keeps it after the run has returned; runs without a
# result end with status 1 and leave the clipboard alone.
. "$(dirname "$0")/lib.sh"
start_xvfb

printf vorher | xclip -selection clipboard -i >/dev/null 2>&1
run 'L;JO6A;KM38mm;;;V-'
check_eq "refused locator: status" 1 "$rc"
check_eq "refused locator: clipboard as it was" "vorher|" "$(clipboard)"

run "$HIDDEN_L"
check_eq "result: status" 0 "$rc"
check_out "result: the line on standard output" "$RESULT_DE"
check "result: back promptly, also inside \$(...) ($took ms)" [ "$took" -le 5000 ]
check_eq "result: on the clipboard after the run" "$RESULT_DE|" "$(clipboard)"

# An unknown mode: the box is shown all the same; after OK the run ends.
launch 'X;1;2;3;4;V-'
check "mode X: box titled \"$MODE_TITLE\"" wait_until 10 has_window "$MODE_TITLE" "$pid"
focus "$MODE_TITLE" "$pid" && xdotool key Return
await "$pid" 5
check_eq "mode X: status 1 after OK" 1 "$rc"
finish
