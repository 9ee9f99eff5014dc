#!/bin/bash
# HiDPI: with QT_SCALE_FACTOR=2 (and on X11 with QT_SCREEN_SCALE_FACTORS=2)
# the window grows as a whole, to twice its size, so no caption is cut; on
# a Wayland output of scale 2 it keeps its size in logical pixels and is
# drawn at twice the resolution; the boxes fit the screen.
# usage: scale_test.sh PROGRAM wayland|x11
. "$(dirname "$0")/lib.sh"

SCREEN=2560x1600 start_desktop
# size_of TITLE PID: "WIDTHxHEIGHT" of that window.
size_of() {
  if on_x11; then
    xdotool getwindowgeometry "$(windows "$1" "$2" | head -n 1)" 2>/dev/null | awk '/Geometry:/ {print $2}'
  else
    view "$1" "$2" | awk -F'\t' 'NR == 1 {print $3 "x" $4}'
  fi
}

# measure [VARIABLE=VALUE...]: the size of the window, shown with that
# environment, as WIDTHxHEIGHT in $size.
measure() {
  size=
  env "$@" LANG=$PLANG "$program" >/dev/null 2>>"$work/launched.err" &
  pid=$!
  wait_until 10 eval '[ -n "$(size_of "$MAIN_TITLE" "$pid")" ]'
  size=$(size_of "$MAIN_TITLE" "$pid")
}
# twice A B: size B is twice size A, give or take a pixel of rounding.
twice() {
  local aw=${1%x*} ah=${1#*x} bw=${2%x*} bh=${2#*x}
  ((bw >= 2 * aw - 2 && bw <= 2 * aw + 2 && bh >= 2 * ah - 2 && bh <= 2 * ah + 2))
}

measure QT_SCALE_FACTOR=1
base=$size
stop "$pid"
check "a window at scale 1 ($base)" [ -n "$base" ]
rows=(QT_SCALE_FACTOR=2)
[ "$MODE" = x11 ] && rows+=(QT_SCREEN_SCALE_FACTORS=2)
for row in "${rows[@]}"; do
  measure "$row"
  check "$row: twice the size ($base -> $size)" twice "$base" "$size"
  if [ "$row" = QT_SCALE_FACTOR=2 ] && [ "$MODE" = wayland ]; then
    ready "$MAIN_TITLE" "$pid" && type_keys F1
    check "$row: the info box fits the screen" wait_until 5 eval \
      '[ -n "$(view "$INFO_TITLE" "$pid")" ] && view "$INFO_TITLE" "$pid" | awk -F"\t" "{exit !(\$3 <= 1280 && \$4 <= 800)}"'
  fi
  stop "$pid"
done

if [ "$MODE" = wayland ]; then
  swaymsg_ output '*' scale 2 >/dev/null
  measure
  check_eq "output scale 2: the same size in logical pixels" "$base" "$size"
  grim "$work/output2.png"
  check_eq "output scale 2: drawn at twice the resolution" "$(printf '%08x%08x' 2560 1600)" \
    "$(od -An -tx1 -j16 -N8 "$work/output2.png" | tr -d ' \n')"
  stop "$pid"
fi
finish
