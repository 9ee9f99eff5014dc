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

# run NAME COMMAND...: wall seconds and peak RSS (KiB) of the best of three runs.
run() {
  local name=$1 best= rss= line
  shift
  for _ in 1 2 3; do
    line=$(/usr/bin/time -f '%e %M' "$@" 2>&1 >/dev/null | tail -1)
    if [ -z "$best" ] || awk -v a="${line% *}" -v b="$best" 'BEGIN { exit !(a < b) }'; then
      best=${line% *}
      rss=${line#* }
    fi
  done
  printf '%s %s %s\n' "$name" "$best" "$rss"
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
    name, seconds, rss = line.split()
    results[name] = (float(seconds), int(rss))
geod = pairs / results["geodsolve"][0]
print(f"{pairs} random pairs (best of 3, wall time)")
for name in ("tsv", "default", "geodsolve"):
    seconds, rss = results[name]
    rate = pairs / seconds
    print(f"  {name:10s} {seconds:7.2f} s  {rate:12,.0f} pairs/s  {rate / geod:6.1f} x GeodSolve  peak RSS {rss} KiB")
seconds, rss = results["tsv-10x"]
print(f"  tsv on {10 * pairs} pairs: {seconds:.2f} s, peak RSS {rss} KiB "
      f"(on {pairs}: {results['tsv'][1]} KiB)")
PY
