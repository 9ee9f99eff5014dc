#!/usr/bin/env bash
# Batch throughput on random pairs of locators, TSV and the default result
# line, beside a plain single-purpose loop over the same lines (batch_loop:
# decode, law of cosines, initial bearing, to_chars) and GeographicLib's
# GeodSolve on the same pairs on a sphere of 40000 km (-e 6366197.724 0), one
# after the other in one run; CPU per pair as a multiple of the loop's; peak
# memory of the batch run on two input sizes with GNU time. The default
# result line runs in the C locale, as the loop writes. Where valgrind is
# installed, the instructions per pair on the first 100,000 pairs as well
# (callgrind; repeatable on a busy machine, where CPU seconds are not).
#   bench/batch-benchmark.sh [build-dir] [pairs]   (build with -DPELVORN_BUILD_BENCH=ON)
set -euo pipefail
build=$(cd "${1:-$(dirname "$0")/../build}" && pwd)
pairs=${2:-1000000}
pelvorn=$build/Pelvorn
generator=$build/bench/batch_pairs
loop=$build/bench/batch_loop
for tool in GeodSolve /usr/bin/time "$pelvorn" "$generator" "$loop"; do
  command -v "$tool" >/dev/null || { echo "missing $tool (apt-get install geographiclib-tools time; build the bench)"; exit 1; }
done
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
unset DISPLAY WAYLAND_DISPLAY LC_ALL LC_NUMERIC
export LANG=de_DE.UTF-8  # read by the program (Qt), not needed by the shell

"$generator" "$pairs" "$work/pairs.txt" "$work/geod.txt"
"$generator" $((pairs * 10)) "$work/pairs10.txt" /dev/null 7

# run NAME COMMAND...: wall seconds, CPU seconds (user + system) and peak
# RSS (KiB) of the run with the least CPU of three.
run() {
  local name=$1 best= line
  shift
  for _ in 1 2 3; do
    line=$(/usr/bin/time -f '%e %U %S %M' "$@" 2>&1 >/dev/null | tail -1)
    if [ -z "$best" ] || awk -v a="$line" -v b="$best" 'BEGIN { split(a, x); split(b, y); exit !(x[2] + x[3] < y[2] + y[3]) }'; then
      best=$line
    fi
  done
  printf '%s %s\n' "$name" "$best"
}

{
  run tsv "$pelvorn" --batch --tsv "$work/pairs.txt"
  run default env LANG=C "$pelvorn" --batch "$work/pairs.txt"
  run loop "$loop" "$work/pairs.txt"
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
print(f"{pairs} random pairs, least CPU of 3 runs; machine: {__import__('os').cpu_count()} CPUs, "
      f"load {open('/proc/loadavg').read().split()[0]}")
loop_cpu = results["loop"][1]
print(f"  {'':10s} {'wall s':>7s} {'pairs/s (wall)':>15s} {'x GeodSolve':>11s}  {'CPU s':>6s} {'pairs/CPU-s':>12s} {'x GeodSolve':>11s}  {'CPU x loop':>10s}  peak RSS")
for name in ("tsv", "default", "loop", "geodsolve"):
    wall, cpu, rss = results[name]
    print(f"  {name:10s} {wall:7.2f} {pairs / wall:15,.0f} {pairs / wall / geod_wall:11.1f}  "
          f"{cpu:6.2f} {pairs / cpu:12,.0f} {pairs / cpu / geod_cpu:11.1f}  {cpu / loop_cpu:10.1f}  {rss} KiB")
wall, cpu, rss = results["tsv-10x"]
print(f"  tsv on {10 * pairs} pairs: {wall:.2f} s wall, {cpu:.2f} s CPU, peak RSS {rss} KiB "
      f"(on {pairs}: {results['tsv'][2]} KiB)")
PY

if command -v valgrind >/dev/null; then
  head -n 100000 "$work/pairs.txt" >"$work/pairs100k.txt"
  count() {  # NAME COMMAND...: instructions per pair
    local name=$1
    shift
    LANG=C valgrind --tool=callgrind --callgrind-out-file=/dev/null "$@" "$work/pairs100k.txt" 2>&1 >/dev/null |
      awk -v name="$name" '/Collected/ { printf "%s %d\n", name, $NF / 100000 }'
  }
  {
    count tsv "$pelvorn" --batch --tsv
    count default "$pelvorn" --batch
    count loop "$loop"
  } | awk '{ n[NR] = $1; v[NR] = $2 } END {
      printf "instructions per pair (callgrind, 100000 pairs):"
      for (i = 1; i <= NR; ++i) printf "  %s %d (%.2f x loop)", n[i], v[i], v[i] / v[NR]
      print "" }'
fi
