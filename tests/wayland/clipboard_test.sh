#!/bin/bash
# The clipboard under sway: a hidden run's line on the clipboard for Wayland
# programs (and X11 ones through XWayland) after the run has returned, also
# inside $(...); a run without a result leaves the clipboard alone and says
# why; a command-line result that comes before the window has the keyboard
# reaches the clipboard all the same and stays after the end; a hidden run
# with an unknown mode shows its box.
# usage: clipboard_test.sh PROGRAM wayland|xwayland
. "$(dirname "$0")/lib.sh"
start_sway

wl-copy vorher
run 'L;JO6A;KM38mm;;;V-'
check_eq "refused locator: status" 1 "$rc"
check "refused locator: says why on standard error" grep -q 'Kein gültiger Locator: "JO6A"' "$work/run.err"
check_eq "refused locator: clipboard as it was" "vorher|" "$(wl_clipboard)"

run "$HIDDEN_L"
check_eq "hidden run: status" 0 "$rc"
check_out "hidden run: the line on standard output" "$RESULT_DE"
check "hidden run: back promptly inside \$(...) ($took ms)" [ "$took" -le 5000 ]
check_eq "hidden run: on the clipboard after the run" "$RESULT_DE|" "$(wl_clipboard)"
[ "$MODE" = xwayland ] && check_eq "hidden run: X11 programs paste it" "$RESULT_DE|" "$(clipboard)"

wl-copy vorher
launch 'L;JO62mm;KM38LL'
check "command line: window shown" wait_until 10 has_view "$MAIN_TITLE" "$pid"
check_wl_clipboard "command line: the result on the clipboard" '1892,96 km/140,0 °'
check "command line: the window has the keyboard" wait_until 5 focused_view "$MAIN_TITLE" "$pid"
press Escape
await "$pid" 20
check_eq "command line: Esc ends with status 0" 0 "$rc"
check_wl_clipboard "command line: the result stays after the end" '1892,96 km/140,0 °'

launch 'X;1;2;3;4;V-'
check "mode X hidden: box \"$MODE_TITLE\" with the keyboard" \
  wait_until 10 focused_view "$MODE_TITLE" "$pid"
press Return
await "$pid" 20
check_eq "mode X hidden: status 1 after OK" 1 "$rc"
finish
