#!/usr/bin/env bash
# Start-up of Pelvorn beside minimal Qt Widgets programs, under a private
# Xvfb (build with -DPELVORN_BUILD_BENCH=ON):
#   1. a hidden run with good input, beside the least Qt Widgets program
#      that shows a window, sets the clipboard and exits, and beside
#      `xclip -i` on the same line: median wall time (hyperfine) and peak
#      memory (GNU time);
#   2. an ordinary start until its window is mapped, beside a Qt Widgets
#      program that shows an empty window of the same size, and one that
#      shows a line of text in it: runs taken in turns, medians.
#   bench/startup-benchmark.sh [build-dir]     RUNS=40 PAIRS=12 by default
set -euo pipefail
build=$(cd "${1:-$(dirname "$0")/../build}" && pwd)
pelvorn=$build/Pelvorn
minimal=$build/bench/minimal_qt_program
timer=$build/bench/window_timer
for tool in hyperfine Xvfb /usr/bin/time xclip xdotool python3; do
  command -v "$tool" >/dev/null || { echo "missing $tool (apt-get install hyperfine xvfb time xclip xdotool python3)"; exit 1; }
done

work=$(mktemp -d)
Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp -noreset 3>"$work/display" >/dev/null 2>&1 &
xvfb=$!
runtime=$(mktemp -d)
chmod 700 "$runtime"
# Keepers end with their X server.
trap 'kill $xvfb 2>/dev/null; rm -rf "$runtime" "$work"' EXIT
for _ in $(seq 50); do [ -s "$work/display" ] && break; sleep 0.1; done
export DISPLAY=:$(head -n 1 "$work/display") XDG_RUNTIME_DIR=$runtime LANG=de_DE.UTF-8
unset WAYLAND_DISPLAY

line='1892,585 km/139,74 °'
hidden=("$pelvorn" 'L;JO62mm;KM38mm;;;V-')
xclip_line="printf '%s' '$line' | xclip -selection clipboard -i"
hyperfine --warmup 5 --runs "${RUNS:-40}" --export-json "$work/hidden.json" \
  -n minimal "$minimal" -n hidden-run "${hidden[*]@Q}" -n xclip "$xclip_line" >&2

# The peak resident memory of one run, in KiB (xclip's child holds on to
# the streams it inherited, so the figure goes through a file).
peak_kb() { /usr/bin/time -o "$work/peak" -f %M "$@" >/dev/null 2>&1 </dev/null; tail -n 1 "$work/peak"; }
minimal_kb=$(peak_kb "$minimal")
hidden_kb=$(peak_kb "${hidden[@]}")
xclip_kb=$(peak_kb bash -c "exec xclip -selection clipboard -i <<<'$line'")

# The ordinary start: Pelvorn first, for the size of its window.
"$pelvorn" >/dev/null 2>&1 &
first=$!
size=
for _ in $(seq 100); do
  window=$(xdotool search --pid "$first" --onlyvisible --name 'Pelvorn' 2>/dev/null | head -n 1) || true
  [ -n "$window" ] && size=$(xdotool getwindowgeometry "$window" | awk '/Geometry:/ {print $2}') && break
  sleep 0.1
done
kill "$first"; wait "$first" 2>/dev/null || true
[ -n "$size" ] || { echo "Pelvorn showed no window"; exit 1; }
: >"$work/pairs"
for _ in $(seq "${PAIRS:-12}"); do
  printf '%s %s %s\n' "$("$timer" "$pelvorn")" "$("$timer" "$minimal" --show "$size")" \
    "$("$timer" "$minimal" --show-text "$size")" >>"$work/pairs"
done

python3 - "$work/hidden.json" "$minimal_kb" "$hidden_kb" "$xclip_kb" "$work/pairs" "$size" <<'PY'
import json, statistics, sys
results = {r["command"]: r for r in json.load(open(sys.argv[1]))["results"]}
m, h, x = (results[n]["median"] * 1000 for n in ("minimal", "hidden-run", "xclip"))
mk, hk, xk = (int(v) for v in sys.argv[2:5])
print("Hidden run with good input, beside the minimal Qt Widgets program and xclip -i:")
print(f"  median wall: minimal {m:.1f} ms, hidden run {h:.1f} ms ({h/m:.3f}x), xclip {x:.1f} ms ({x/m:.3f}x)")
print(f"  peak RSS:    minimal {mk} KiB, hidden run {hk} KiB ({hk/mk:.3f}x), xclip {xk} KiB ({xk/mk:.3f}x)")
rows = [tuple(map(float, l.split())) for l in open(sys.argv[5]) if l.strip()]
p, q, t = (statistics.median(row[i] for row in rows) for i in range(3))
r = statistics.median(a / b for a, b, _ in rows)
s = statistics.median(a / c for a, _, c in rows)
print(f"Ordinary start until the window is mapped ({len(rows)} rounds, window {sys.argv[6]}):")
print(f"  median: Pelvorn {p:.1f} ms, minimal Qt window {q:.1f} ms, ratio {p/q:.3f}x (median of round ratios {r:.3f}x)")
print(f"  the same window with one line of text {t:.1f} ms, ratio {p/t:.3f}x (median of round ratios {s:.3f}x)")
PY
