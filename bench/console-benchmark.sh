#!/usr/bin/env bash
# A console tool beside a hidden run, both without a display: `Pelvorn --tsv`
# for one pair and `Pelvorn 'L;...;V-'` (its line on standard output only),
# median wall time (hyperfine) and peak resident memory (GNU time). Neither
# starts the toolkit; the goal is --tsv within 2x the hidden run's figures.
#   bench/console-benchmark.sh [build-dir]     RUNS=200 by default
set -euo pipefail
build=$(cd "${1:-$(dirname "$0")/../build}" && pwd)
pelvorn=$build/Pelvorn
for tool in hyperfine /usr/bin/time python3; do
  command -v "$tool" >/dev/null || { echo "missing $tool (apt-get install hyperfine time python3)"; exit 1; }
done

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
mkdir -m 700 "$work/runtime"
export XDG_RUNTIME_DIR=$work/runtime XDG_CONFIG_HOME=$work/config LANG=de_DE.UTF-8
unset DISPLAY WAYLAND_DISPLAY LC_ALL LC_NUMERIC

tsv=("$pelvorn" --tsv 'L;JO62mm;KM38mm')
hidden=("$pelvorn" 'L;JO62mm;KM38mm;;;V-')
hyperfine -N --warmup 20 --runs "${RUNS:-200}" --export-json "$work/runs.json" \
  -n tsv "${tsv[*]@Q}" -n hidden-run "${hidden[*]@Q}" >&2

# The peak resident memory of one run, in KiB: the largest of a few runs.
peak_kb() {
  local most=0 kb
  for _ in 1 2 3 4 5; do
    /usr/bin/time -o "$work/peak" -f %M "$@" >/dev/null 2>&1 </dev/null || true
    kb=$(tail -n 1 "$work/peak")
    ((kb > most)) && most=$kb
  done
  echo "$most"
}
tsv_kb=$(peak_kb "${tsv[@]}")
hidden_kb=$(peak_kb "${hidden[@]}")

python3 - "$work/runs.json" "$tsv_kb" "$hidden_kb" <<'PY'
import json, sys
results = {r["command"]: r for r in json.load(open(sys.argv[1]))["results"]}
t, h = (results[n]["median"] * 1000 for n in ("tsv", "hidden-run"))
tk, hk = int(sys.argv[2]), int(sys.argv[3])
verdict = lambda ratio: "within 2x" if ratio <= 2 else "MORE than 2x"
print("Pelvorn --tsv for one pair beside a hidden run (no display, de_DE):")
print(f"  median wall: --tsv {t:.2f} ms, hidden run {h:.2f} ms ({t/h:.2f}x, {verdict(t/h)})")
# CPU time varies less than wall time on a busy machine.
tc, hc = ((results[n]["user"] + results[n]["system"]) * 1000 for n in ("tsv", "hidden-run"))
print(f"  mean CPU:    --tsv {tc:.2f} ms, hidden run {hc:.2f} ms ({tc/hc:.2f}x)")
print(f"  peak RSS:    --tsv {tk} KiB, hidden run {hk} KiB ({tk/hk:.2f}x, {verdict(tk/hk)})")
PY
