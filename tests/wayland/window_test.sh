#!/bin/bash
# The window under sway, typed into with a virtual keyboard: it opens (as a
# Wayland window, or as an X11 one through XWayland where Qt is told to use
# X11) with the keyboard focus;
# Alt+letter, Enter, Esc and F1 work, and so do the boxes; the last result
# stays pasteable for Wayland programs after Esc has ended the program.
# usage: window_test.sh PROGRAM wayland|xwayland
. "$(dirname "$0")/lib.sh"
start_sway
kind='xdg_shell pelvorn'
[ "$MODE" = xwayland ] && export QT_QPA_PLATFORM=xcb && kind=xwayland

launch
check "window titled \"$MAIN_TITLE\"" wait_until 10 has_view "$MAIN_TITLE" "$pid" || finish
check_eq "window kind" "$kind" "$(view_kind "$MAIN_TITLE" "$pid" | sed 's/ null$//')"
check "the window has the keyboard" wait_until 5 focused_view "$MAIN_TITLE" "$pid"

# Alt+F moves to the foreign locator, Alt+R calculates.
type_keys =JO62mm alt+f =KM38mm alt+r
check_wl_clipboard "Alt+F, Alt+R: the result on the clipboard" "$RESULT_DE"
type_keys BackSpace BackSpace =LL Return
check_wl_clipboard "Enter calculates again" '1892,96 km/140,0 °'

# key: box closed with KEY
for key in Return Escape; do
  press F1
  check "F1 opens \"$INFO_TITLE\" with the keyboard" wait_until 5 focused_view "$INFO_TITLE" "$pid"
  press "$key"
  check "$key closes the box" wait_until 5 no_view "$INFO_TITLE" "$pid"
  check "$key: the window has the keyboard again" wait_until 5 focused_view "$MAIN_TITLE" "$pid"
done

press Escape
await "$pid" 20
check_eq "Esc ends the program with status 0" 0 "$rc"
check_wl_clipboard "the last result stays pasteable after the end" '1892,96 km/140,0 °'
[ "$MODE" = xwayland ] && check_eq "X11 programs paste it as well" '1892,96 km/140,0 °|' "$(clipboard)"
finish
