#!/usr/bin/env bash
# ADIF throughput: the check (--adif) and the copy with DISTANCE (--fix)
# on a generated log of realistic records (a logger's fields, 4-, 6- and
# 8-character locators, every tenth QSO with a DISTANCE, CR LF), beside
# `cat FILE > OUT`; peak memory (GNU time) at QSOS and 10 x QSOS QSOs.
#   bench/adif-benchmark.sh [build-dir] [qsos]
set -euo pipefail
build=$(cd "${1:-$(dirname "$0")/../build}" && pwd)
qsos=${2:-1000000}
pelvorn=$build/Pelvorn
for tool in /usr/bin/time "$pelvorn"; do
  command -v "$tool" >/dev/null || { echo "missing $tool (apt-get install time; build Pelvorn)"; exit 1; }
done
work=$(mktemp -d "${TMPDIR:-/var/tmp}/adif-bench.XXXXXX")
trap 'rm -rf "$work"' EXIT
unset DISPLAY WAYLAND_DISPLAY

# generate QSOS FILE
generate() {
  awk -v n="$1" 'BEGIN {
    srand(7)
    printf "Generated for the benchmark\r\n<ADIF_VER:5>3.1.4\r\n<PROGRAMID:7>bench.sh\r\n<EOH>\r\n"
    for (i = 0; i < n; i++) {
      f = sprintf("%c%c%d%d", 65 + int(rand() * 18), 65 + int(rand() * 18), int(rand() * 10), int(rand() * 10))
      kind = i % 3
      if (kind == 1) f = f sprintf("%c%c", 97 + int(rand() * 24), 97 + int(rand() * 24))
      if (kind == 2) f = f sprintf("%c%c%d%d", 65 + int(rand() * 24), 65 + int(rand() * 24), int(rand() * 10), int(rand() * 10))
      call = sprintf("DL%dABC", i % 10)
      printf "<CALL:%d>%s\r\n<QSO_DATE:8>2026%02d%02d\r\n<TIME_ON:6>%06d\r\n<BAND:3>20M\r\n<FREQ:8>14.07400\r\n", length(call), call, 1 + i % 12, 1 + i % 28, i % 235959
      printf "<MODE:3>FT8\r\n<RST_SENT:3>-10\r\n<RST_RCVD:3>-12\r\n<GRIDSQUARE:%d>%s\r\n<MY_GRIDSQUARE:6>JO62QM\r\n", length(f), f
      printf "<STATION_CALLSIGN:6>DL1XYZ\r\n<APP_BENCH_SEQ:%d>%d\r\n", length(i ""), i
      if (i % 10 == 0) printf "<DISTANCE:4>1234\r\n"
      printf "<COMMENT:13>Gr\xfc\xdfe aus Bln\r\n<EOR>\r\n\r\n"
    }
  }' >"$2"
}

# run NAME COMMAND...: wall seconds, CPU seconds (user + system) and peak
# RSS (KiB) of the fastest of three runs.
run() {
  local name=$1 best= line
  shift
  for _ in 1 2 3; do
    line=$(/usr/bin/time -f '%e %U %S %M' "$@" 2>&1 >/dev/null | tail -1) || true  # status 1: DISTANCE missing
    if [ -z "$best" ] || awk -v a="${line%% *}" -v b="${best%% *}" 'BEGIN { exit !(a < b) }'; then best=$line; fi
  done
  printf '%s %s\n' "$name" "$best"
}

generate "$qsos" "$work/log.adi"
bytes=$(stat -c %s "$work/log.adi")
{
  run check "$pelvorn" --adif "$work/log.adi"
  run tsv "$pelvorn" --adif "$work/log.adi" --tsv
  run fix "$pelvorn" --adif "$work/log.adi" --fix "$work/out.adi"
  run cat sh -c "cat '$work/log.adi' >'$work/cat.adi'"
} >"$work/times"
rm -f "$work/out.adi" "$work/cat.adi"
generate $((qsos * 10)) "$work/log10.adi"
bytes10=$(stat -c %s "$work/log10.adi")
memory10=$(/usr/bin/time -f '%M' "$pelvorn" --adif "$work/log10.adi" 2>&1 >/dev/null | tail -1 || true)
fixMemory10=$(/usr/bin/time -f '%M' "$pelvorn" --adif "$work/log10.adi" --fix "$work/out10.adi" 2>&1 >/dev/null | tail -1 || true)

awk -v bytes="$bytes" -v qsos="$qsos" -v bytes10="$bytes10" -v m10="$memory10" -v f10="$fixMemory10" '
  { wall[$1] = $2; cpu[$1] = $3 + $4; rss[$1] = $5 }
  END {
    printf "log: %d QSOs, %.1f MB\n", qsos, bytes / 1e6
    for (name in wall) if (name != "cat") printf "%-6s %6.2f s wall, %6.2f s CPU, %6.1f MB/s, peak %d KiB\n", name, wall[name], cpu[name], bytes / 1e6 / wall[name], rss[name]
    printf "cat    %6.2f s wall; --fix / cat = %.2f\n", wall["cat"], wall["fix"] / wall["cat"]
    printf "10 x: %d QSOs, %.1f MB: peak %d KiB (check), %d KiB (--fix)\n", qsos * 10, bytes10 / 1e6, m10, f10
  }' "$work/times"
