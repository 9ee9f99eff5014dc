#!/usr/bin/env bash
# The map and azimuth chart of a whole log (--adif FILE --map OUT
# --azimuth-chart OUT): wall time and peak memory (GNU time) for logs of
# 100,000 and 1,000,000 generated QSOs (a logger's fields, 4- and
# 6-character locators all over the earth, eleven bands by BAND or FREQ,
# every twentieth QSO from a second own position, every hundredth without
# position), as PNG and as SVG, with and without --own.
#   bench/adif-map-benchmark.sh [build-dir] [qsos...]
set -euo pipefail
build=$(cd "${1:-$(dirname "$0")/../build}" && pwd)
shift || true
sizes=("${@:-100000 1000000}")
pelvorn=$build/Pelvorn
for tool in /usr/bin/time "$pelvorn"; do
  command -v "$tool" >/dev/null || { echo "missing $tool (apt-get install time; build Pelvorn)"; exit 1; }
done
work=$(mktemp -d "${TMPDIR:-/var/tmp}/adif-map-bench.XXXXXX")
trap 'rm -rf "$work"' EXIT

# generate QSOS FILE
generate() {
  awk -v n="$1" 'BEGIN {
    srand(11)
    split("160M 80M 40M 30M 20M 17M 15M 12M 10M 6M 2M", band, " ")
    split("1.840 3.573 7.074 10.136 14.074 18.100 21.074 24.915 28.074 50.313 144.174", freq, " ")
    printf "Generated for the benchmark\r\n<ADIF_VER:5>3.1.4\r\n<PROGRAMID:7>bench.sh\r\n<EOH>\r\n"
    for (i = 0; i < n; i++) {
      f = sprintf("%c%c%d%d", 65 + int(rand() * 18), 65 + int(rand() * 18), int(rand() * 10), int(rand() * 10))
      if (i % 2) f = f sprintf("%c%c", 97 + int(rand() * 24), 97 + int(rand() * 24))
      b = 1 + int(rand() * 11)
      call = sprintf("DL%dABC", i % 10)
      my = i % 20 ? "JO62QM" : "JN58TD"
      printf "<CALL:%d>%s\r\n<QSO_DATE:8>2026%02d%02d\r\n<TIME_ON:6>%06d\r\n<MODE:3>FT8\r\n", length(call), call, 1 + i % 12, 1 + i % 28, i % 235959
      if (i % 3) printf "<BAND:%d>%s\r\n", length(band[b]), band[b]; else printf "<FREQ:%d>%s\r\n", length(freq[b]), freq[b]
      if (i % 100) printf "<GRIDSQUARE:%d>%s\r\n", length(f), f
      printf "<MY_GRIDSQUARE:6>%s\r\n<STATION_CALLSIGN:6>DL1XYZ\r\n<EOR>\r\n\r\n", my
    }
  }' >"$2"
}

for qsos in ${sizes[*]}; do
  generate "$qsos" "$work/log.adi"
  printf '%d QSOs, %.1f MB\n' "$qsos" "$(stat -c %s "$work/log.adi" | awk '{ print $1 / 1e6 }')"
  for run in "png:--map $work/map.png" "svg:--map $work/map.svg" "png, --own:--map $work/map.png --own JO62QM" \
             "chart png:--azimuth-chart $work/chart.png" "map and chart png:--map $work/map.png --azimuth-chart $work/chart.png"; do
    # shellcheck disable=SC2086  # the options are words
    /usr/bin/time -f '%e %U %S %M' -o "$work/time" "$pelvorn" --adif "$work/log.adi" ${run#*:} >/dev/null 2>&1 || true
    read -r wall user system rss < <(tail -n 1 "$work/time")  # status 1: QSOs without position
    printf '  %-18s %6.2f s wall, %6.2f s CPU, peak %6d KiB%s\n' "${run%%:*}" "$wall" "$(awk -v u="$user" -v s="$system" 'BEGIN { print u + s }')" "$rss" \
      "$([ -f "$work/map.svg" ] && printf ', SVG %.1f MB' "$(stat -c %s "$work/map.svg" | awk '{ print $1 / 1e6 }')")"
    rm -f "$work/map.svg"
  done
done
