#!/bin/bash
# The X server dies while hidden runs start: Xvfb is killed at a random
# moment after the start, many times. No run may end by a signal or hang; a
# run that fails says why on standard error. The moments spread over the
# time one undisturbed run takes on this machine (under load that is more
# than the 50 ms a quiet machine needs); the counts are printed at the end.
. "$(dirname "$0")/lib.sh"
runs=30
latest=

for ((i = 0; i < runs; i++)); do
  rm -f "$work/display"
  XVFB_SCREEN=640x480x24 start_xvfb
  if [ -z "$latest" ]; then
    run "$HIDDEN_L"
    latest=$took
    echo "# one undisturbed run: status $rc, $took ms"
  fi
  # The shell's own report of a run that died by a signal goes to /dev/null.
  { LANG=$PLANG "$program" "$HIDDEN_L" >"$work/sweep.out" 2>"$work/sweep.err"
    echo $? >"$work/sweep.rc"; } 2>/dev/null &
  pid=$!
  delay=$((RANDOM % (latest + 1)))
  sleep "$((delay / 1000)).$(printf '%03d' $((delay % 1000)))"
  # Half of the servers end in order, half are killed outright.
  kill -s "$( ((RANDOM % 2)) && echo TERM || echo KILL)" "$xvfb_pid"
  wait "$xvfb_pid" 2>/dev/null
  xvfb_pid=
  await "$pid" 10
  for p in $(ours "^$program"); do kill -9 "$p"; done  # a hung run
  rc=$(cat "$work/sweep.rc" 2>/dev/null || echo hung)
  rm -f "$work/sweep.rc"
  # One line per run: "hung", "signal N" or "status N", a failure with its
  # reason ("silent" for none).
  reason=$(grep -m 1 -o '^Pelvorn: [^(]*' "$work/sweep.err")
  reason=${reason:-silent}
  if [ "$rc" = hung ]; then echo hung
  elif ((rc > 128)); then echo "signal $((rc - 128))"
  elif ((rc == 0)); then echo "status 0"
  else echo "status $rc, \"${reason:0:60}\""; fi >>"$work/outcomes"
done
echo "# Xvfb killed 0-$latest ms after the start:"
sort "$work/outcomes" | uniq -c | awk -v runs="$runs" '{n = $1; sub(/^ *[0-9]+ /, ""); print "# " $0 ": " n " of " runs}'
check_eq "X server killed during start-up, $runs runs: signal exits or hangs" 0 "$(grep -vc '^status' "$work/outcomes")"
check_eq "failed runs without a \"Pelvorn: \" line on standard error" 0 "$(grep -c '"silent"$' "$work/outcomes")"
finish
