#!/usr/bin/env bash
# Batch throughput on random pairs of locators, TSV and the default result
# line, beside GeographicLib's GeodSolve on the same pairs on a sphere of
# 40000 km (-e 6366197.724 0), one after the other in one run; peak memory
# of the batch run on two input sizes with GNU time.
#   bench/batch-benchmark.sh [build-dir] [pairs]   (build with -DPELVORN_BUILD_BENCH=ON)
set -euo pipefail
build=$(cd "${1:-$(dirname "$0")/../build}" && pwd)
pairs=${2:-1000000}
pelvorn=$build/Pelvorn
generator=$build/bench/batch_pairs
for tool in GeodSolve /usr/bin/time "$pelvorn" "$generator"; do
  command -v "$tool" >/dev/null || { echo "missing $tool (apt-get install geographiclib-tools time; build the bench)"; exit 1; }
done
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
unset DISPLAY WAYLAND_DISPLAY
export LANG=de_DE.UTF-8  # read by the program (Qt), not needed by the shell

"$generator" "$pairs" "$work/pairs.txt" "$work/geod.txt"
"$generator" $((pairs * 10)) "$work/pairs10.txt" /dev/null 7

# run NAME COMMAND...: wall seconds, CPU seconds (user + system) and peak
# RSS (KiB) of the fastest of three runs.
run() {
  local name=$1 best= line
  shift
  for _ in 1 2 3; do
    line=$(/usr/bin/time -f '%e %U %S %M' "$@" 2>&1 >/dev/null | tail -1)
    if [ -z "$best" ] || awk -v a="${line%% *}" -v b="${best%% *}" 'BEGIN { exit !(a < b) }'; then
      best=$line
    fi
  done
  printf '%s %s\n' "$name" "$best"
}

{
  run tsv "$pelvorn" --batch --tsv "$work/pairs.txt"
  run default "$pelvorn" --batch "$work/pairs.txt"
  run geodsolve sh -c "GeodSolve -i -e 6366197.724 0 <'$work/geod.txt'"
  run tsv-10x "$pelvorn" --batch --tsv "$work/pairs10.txt"
} >"$work/results"

python3 - "$pairs" "$work/results" <<'PY'
import sys
pairs = int(sys.argv[1])
results = {}
for line in open(sys.argv[2]):
    name, wall, user, system, rss = line.split()
    results[name] = (float(wall), float(user) + float(system), int(rss))
geod_wall = pairs / results["geodsolve"][0]
geod_cpu = pairs / results["geodsolve"][1]
print(f"{pairs} random pairs, fastest of 3 runs; machine: {__import__('os').cpu_count()} CPUs, "
      f"load {open('/proc/loadavg').read().split()[0]}")
print(f"  {'':10s} {'wall s':>7s} {'pairs/s (wall)':>15s} {'x GeodSolve':>11s}  {'CPU s':>6s} {'pairs/CPU-s':>12s} {'x GeodSolve':>11s}  peak RSS")
for name in ("tsv", "default", "geodsolve"):
    wall, cpu, rss = results[name]
    print(f"  {name:10s} {wall:7.2f} {pairs / wall:15,.0f} {pairs / wall / geod_wall:11.1f}  "
          f"{cpu:6.2f} {pairs / cpu:12,.0f} {pairs / cpu / geod_cpu:11.1f}  {rss} KiB")
wall, cpu, rss = results["tsv-10x"]
print(f"  tsv on {10 * pairs} pairs: {wall:.2f} s wall, {cpu:.2f} s CPU, peak RSS {rss} KiB "
      f"(on {pairs}: {results['tsv'][2]} KiB)")
PY
