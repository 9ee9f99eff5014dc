#!/bin/bash
# Stop, park and the dead band from the command line, the same against
# Hamlib's dummy rotator and the PstRotator stand-in (both turn 6°/s from
# 0), and how PstRotator's failures end: in time, status 4, a German line.
. "$(dirname "$0")/rotator_lib.sh"
start_xvfb

# azimuth: where the rotator at $address stands; at DEGREES: within half a degree.
azimuth() {
  if [ "$backend" = pst ]; then
    python3 "$standin" ask "$pst_port" | tr -d 'AZ:'
  else
    rot_azimuth "$rot_port"
  fi
}
at() { awk -v a="$(azimuth)" -v t="$1" 'BEGIN { d = a - t; exit !(a != "" && d <= 0.5 && d >= -0.5) }'; }
moved_from() { [ "$(azimuth)" != "$1" ]; }
stands_still() { ! wait_until 1 moved_from "$1"; }
says() { grep -qF -- "$1" "$work/run.err"; }

for backend in rotctld pst; do
  if [ "$backend" = pst ]; then start_pst answer; address=$pst; else start_rotctld; address=127.0.0.1:$rot_port; fi
  # 1,90° from where it stands is within the default 2° and not sent; 2,10° is.
  run --rotator "$address" 'G;0;45;0;1.901;V-'
  check_eq "$backend: 1,90° within the dead band: status" 0 "$rc"
  check "$backend: 1,90° within the dead band: says so" says "(Totbereich)"
  check "$backend: 1,90° within the dead band: not turned" at 0
  run --rotator "$address" 'G;0;45;0;2.1014;V-'
  check_eq "$backend: 2,10° turns: status" 0 "$rc"
  check "$backend: 2,10° turns: nothing said" test ! -s "$work/run.err"
  check "$backend: 2,10° turns: there" wait_until 5 at 2.1
  run --rotator "$address" --deadband 0 'G;0;45;0;1.901;V-'
  check "$backend: --deadband 0 turns by 1,90°" wait_until 5 at 1.9

  # A long turn stopped: the position stops changing.
  run --rotator "$address" 'L;JO62mm;KM38mm;;;V-'
  run --rotator "$address" --stop
  check_eq "$backend: --stop: status" 0 "$rc"
  check "$backend: --stop: says so" says "Antenne angehalten."
  stopped=$(azimuth)
  check "$backend: --stop: stands still" stands_still "$stopped"
  # Park (the rotator's own position: 0) during a turn.
  run --rotator "$address" 'L;JO62mm;KM38mm;;;V-'
  run --rotator "$address" --park
  check_eq "$backend: --park: status" 0 "$rc"
  check "$backend: --park: parks" wait_until 10 at 0

  # The follower parks when SIGTERM ends it.
  run --rotator "$address" 'L;JO62mm;KM38mm;;;V-'
  follow_port=$("$stub" free-port)
  LANG=$PLANG "$program" --rotator "$address" --follow "127.0.0.1:$follow_port" --park-on-exit 2>"$work/run.err" &
  pid=$!
  wait_until 5 says "Warte auf WSJT-X" && kill -TERM "$pid"
  await "$pid" 10
  check_eq "$backend: --park-on-exit: status" 0 "$rc"
  check "$backend: --park-on-exit: says so" says "Antenne wird geparkt."
  check "$backend: --park-on-exit: parks" wait_until 10 at 0
done

# PstRotator that never answers, answers garbage, floods, or answers on
# another port: status 4 within its 3 s (and a second for a loaded machine).
for case in "silent|antwortet nicht: keine Antwort" "otherport|antwortet nicht: keine Antwort" \
  "garbage|Unverständliche Antwort des Rotors" "flood|Unverständliche Antwort des Rotors"; do
  start_pst "${case%%|*}"
  run --rotator "$pst" --stop
  check_eq "PstRotator ${case%%|*}: status 4" 4 "$rc"
  check "PstRotator ${case%%|*}: says \"${case#*|}\"" says "${case#*|}"
  check "PstRotator ${case%%|*}: within 4 s (took $took ms)" test "$took" -lt 4000
done
finish
