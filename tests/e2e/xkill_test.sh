#!/bin/bash
# The X server dies while hidden runs start: Xvfb is killed at a random
# moment after the start, many times. No run may end by a signal or hang; a
# run that fails says why on standard error. The moments spread over the
# time one undisturbed run takes on this machine (under load that is more
# than the 50 ms a quiet machine needs). PELVORN_XKILL_RUNS sets the number
# of runs (default 30), PELVORN_XKILL_MS the latest moment in milliseconds;
# the counts are printed at the end.
. "$(dirname "$0")/lib.sh"
command -v Xvfb >/dev/null || { echo "SKIP: Xvfb is not installed"; exit 77; }
runs=${PELVORN_XKILL_RUNS:-30}
latest=${PELVORN_XKILL_MS:-}

declare -A count=()
silent=0
for ((i = 0; i < runs; i++)); do
  rm -f "$work/display"
  Xvfb -displayfd 3 -nolisten tcp -noreset -screen 0 640x480x24 3>"$work/display" 2>/dev/null &
  xvfb_pid=$!
  wait_until 10 test -s "$work/display" || { echo "FAIL - Xvfb did not start"; exit 1; }
  export DISPLAY=:$(head -n 1 "$work/display")
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
  if [ "$rc" = hung ]; then
    key=hung
  elif ((rc > 128)); then
    key="signal $((rc - 128))"
  else
    key="status $rc"
    if ((rc != 0)); then
      reason=$(grep -m 1 '^Pelvorn: ' "$work/sweep.err")
      [ -n "$reason" ] || silent=$((silent + 1))
      reason=${reason%%(*}
      key="$key, \"${reason:0:60}\""
    fi
  fi
  count[$key]=$((${count[$key]:-0} + 1))
done
echo "# Xvfb killed 0-$latest ms after the start:"
for key in "${!count[@]}"; do echo "# $key: ${count[$key]} of $runs"; done | sort
signals=0
for key in "${!count[@]}"; do [[ $key == status* ]] || signals=$((signals + count[$key])); done
check_eq "X server killed during start-up, $runs runs: signal exits or hangs" 0 "$signals"
check_eq "failed runs without a \"Pelvorn: \" line on standard error" 0 "$silent"
finish
