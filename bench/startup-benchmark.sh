#!/usr/bin/env bash
# Start-up of a hidden run beside a minimal Qt Widgets program, under a
# private Xvfb: wall time with hyperfine, peak memory with GNU time.
#   bench/startup-benchmark.sh [build-dir]   (build with -DPELVORN_BUILD_BENCH=ON)
set -euo pipefail
build=$(cd "${1:-$(dirname "$0")/../build}" && pwd)
pelvorn=$build/Pelvorn
minimal=$build/bench/minimal_qt_program
for tool in hyperfine Xvfb /usr/bin/time; do
  command -v "$tool" >/dev/null || { echo "missing $tool (apt-get install hyperfine xvfb time)"; exit 1; }
done

display=:$((90 + RANDOM % 100))
Xvfb "$display" -screen 0 1024x768x24 -nolisten tcp -noreset >/dev/null 2>&1 &
xvfb=$!
runtime=$(mktemp -d)
chmod 700 "$runtime"
# Keepers end with their X server.
trap 'kill $xvfb 2>/dev/null; rm -rf "$runtime"' EXIT
export DISPLAY=$display XDG_RUNTIME_DIR=$runtime LANG=de_DE.UTF-8
for _ in $(seq 50); do xdpyinfo >/dev/null 2>&1 && break; sleep 0.1; done

hidden=("$pelvorn" 'L;JO62mm;KM38mm;;;V-')
hyperfine --warmup 5 --runs "${RUNS:-40}" --export-json "$build/startup-benchmark.json" \
  -n minimal "$minimal" -n hidden-run "${hidden[*]@Q}"

peak_kb() { /usr/bin/time -f %M "$@" 2>&1 >/dev/null | tail -1; }
minimal_kb=$(peak_kb "$minimal")
hidden_kb=$(peak_kb "${hidden[@]}")
python3 - "$build/startup-benchmark.json" "$minimal_kb" "$hidden_kb" <<'PY'
import json, sys
results = {r["command"]: r for r in json.load(open(sys.argv[1]))["results"]}
m, h = results["minimal"]["median"], results["hidden-run"]["median"]
mk, hk = int(sys.argv[2]), int(sys.argv[3])
print(f"median wall: minimal {m*1000:.1f} ms, hidden run {h*1000:.1f} ms, ratio {h/m:.3f}")
print(f"peak RSS:    minimal {mk} KiB, hidden run {hk} KiB, ratio {hk/mk:.3f}")
PY
