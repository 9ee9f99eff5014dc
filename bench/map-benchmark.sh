#!/usr/bin/env bash
# The map's figures: median wall time of a whole `Pelvorn --map` run (world,
# 1000 px PNG; regional 1500 km), the world SVG's size, and how much of the
# program the map is (its code and data in the linked Linux program and, when
# given, in Pelvorn.exe). Goals: 100 ms, 150 ms, 250 KB, 1.5 MB each.
#   bench/map-benchmark.sh [build-dir] [windows-build-dir]     RUNS=30 by default
set -euo pipefail
build=$(cd "${1:-$(dirname "$0")/../build}" && pwd)
windows=${2:-}
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
export XDG_RUNTIME_DIR=$work XDG_CONFIG_HOME=$work/config LANG=C.UTF-8
unset DISPLAY WAYLAND_DISPLAY LC_ALL LC_NUMERIC

python3 - "$build/Pelvorn" "$work" "${RUNS:-30}" <<'PY'
import statistics, subprocess, sys, time
pelvorn, work, runs = sys.argv[1], sys.argv[2], int(sys.argv[3])
import resource
def median_ms(*arguments):
    """Median wall and CPU (user + system) milliseconds of a whole run."""
    walls, cpus = [], []
    for _ in range(runs):
        before = resource.getrusage(resource.RUSAGE_CHILDREN)
        start = time.perf_counter()
        subprocess.run([pelvorn, *arguments], check=True, stdout=subprocess.DEVNULL)
        walls.append((time.perf_counter() - start) * 1000)
        after = resource.getrusage(resource.RUSAGE_CHILDREN)
        cpus.append((after.ru_utime + after.ru_stime - before.ru_utime - before.ru_stime) * 1000)
    return f"{statistics.median(walls):6.1f} ms wall, {statistics.median(cpus):5.1f} ms CPU"
print(f"world map, 1000 px PNG:   {median_ms('--map', work + '/w.png', 'L;JO62mm;KM38mm')} (goal 100 wall)")
print(f"  the same to stdout:     {median_ms('--map', '-', 'L;JO62mm;KM38mm')}")
print(f"regional 1500 km PNG:     {median_ms('--map', work + '/r.png', '--radius', '1500', 'L;JO62mm;KM38mm')} (goal 150 wall)")
subprocess.run([pelvorn, "--map", work + "/w.svg", "L;JO62mm;KM38mm"], check=True)
import os
print(f"world SVG:                {os.path.getsize(work + '/w.svg') / 1000:6.1f} KB (goal 250)")
PY

# The map's share of a program: the sizes of its symbols (code and the
# embedded data), by name.
map_share() {
  nm --size-sort -S -C "$1" 2>/dev/null | python3 -c '
import re, sys
print(round(sum(int(line.split()[1], 16) for line in sys.stdin
                if re.search(r"pelvorn::map::|agg::|land_110m|land_50m|glyphs|RunMap", line)) / 1000))'
}
echo "map in the Linux program:  $(map_share "$build/Pelvorn") KB (goal 1500)"
if [ -n "$windows" ]; then
  echo "map in Pelvorn.exe:        $(map_share "$windows/Pelvorn.exe") KB (goal 1500; $(stat -c %s "$windows/Pelvorn.exe") bytes in all)"
fi
