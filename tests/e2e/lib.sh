# Shared by the end-to-end tests of the built program: a private Xvfb (no
# window manager, no clipboard manager), a private runtime directory so that
# the single-instance guard sees only this script's copies, starting the
# program, waiting with a deadline, checks and the closing tally.
#
# Sourced by each *_test.sh, which gets PROGRAM [ARTEFACT-DIR] as arguments.
# Exit status of a script: 0 when every check passed, 1 otherwise, 77 when a
# tool it needs is missing.

# shellcheck shell=bash disable=SC2034 # constants for the sourcing scripts
set -u
PELVORN=$1
ARTEFACTS=${2:-}

MAIN_TITLE=' Pelvorn  V 1.0.3'
BUSY_TITLE='Pelvorn läuft bereits '
INFO_TITLE=' Info '
MODE_TITLE=' Falsche Parameterbezeichnung '
RESULT_DE='1892,585 km/139,74 °'
RESULT_EN='1892.585 km/139.74 °'
HIDDEN_L='L;JO62mm;KM38mm;;;V-'

if [ ! -x "$PELVORN" ]; then
  echo "FAIL - no program at $PELVORN"
  exit 1
fi

# The program gets its locale from PLANG alone; no display until start_xvfb.
PLANG=de_DE.UTF-8
unset LC_ALL LC_NUMERIC LC_MESSAGES DISPLAY WAYLAND_DISPLAY
work=$(mktemp -d)
XDG_RUNTIME_DIR=$(mktemp -d) && chmod 700 "$XDG_RUNTIME_DIR"
export XDG_RUNTIME_DIR
xvfb_pid=
pids=()
passed=0
failed=0

now_ms() {
  local now=${EPOCHREALTIME//[.,]/}
  echo $((now / 1000))
}

# wait_until SECONDS COMMAND...: succeeds as soon as COMMAND does, fails when
# it has not within SECONDS.
wait_until() {
  local deadline=$(($(now_ms) + $1 * 1000))
  shift
  until "$@"; do
    (($(now_ms) >= deadline)) && return 1
    sleep 0.05
  done
}

# True when process $1 is gone or a zombie.
ended() {
  local state
  read -r _ _ state _ 2>/dev/null <"/proc/$1/stat" || return 0
  [ "$state" = Z ]
}
running() { ! ended "$1"; }

# Every process this script started, directly or not (they all carry its
# private runtime directory), except the script itself.
descendants() {
  local p
  for p in $(pgrep -u "$(id -u)"); do
    [ "$p" = $$ ] && continue
    tr '\0' '\n' 2>/dev/null <"/proc/$p/environ" | grep -qxF "XDG_RUNTIME_DIR=$XDG_RUNTIME_DIR" && echo "$p"
  done
}

cleanup() {
  local p
  for p in "${pids[@]}"; do stop "$p"; done
  if [ -n "$xvfb_pid" ]; then
    kill "$xvfb_pid" 2>/dev/null
    wait_until 5 ended "$xvfb_pid" || kill -9 "$xvfb_pid" 2>/dev/null
  fi
  for p in $(descendants); do kill -9 "$p" 2>/dev/null; done
  wait 2>/dev/null
  rm -rf "$work" "$XDG_RUNTIME_DIR"
}
trap cleanup EXIT
trap "exit 1" TERM INT HUP

ok() {
  passed=$((passed + 1))
  echo "ok   - $1"
}
bad() {
  failed=$((failed + 1))
  echo "FAIL - $1${2:+: $2}"
}
# check NAME COMMAND...: passes when COMMAND succeeds.
check() {
  local name=$1
  shift
  if "$@"; then ok "$name"; else bad "$name"; fi
}
# check_eq NAME EXPECTED ACTUAL
check_eq() {
  if [ "$2" = "$3" ]; then ok "$1"; else bad "$1" "expected [$2], got [$3]"; fi
}
# check_file NAME FILE EXPECTED: FILE holds exactly EXPECTED (empty, or one
# line with its newline).
check_file() {
  local want=
  [ -n "$3" ] && want="$3"$'\n'
  local got
  got=$(cat "$2"; printf x)
  check_eq "$1" "$want" "${got%x}"
}
finish() {
  local f
  if [ "$failed" -gt 0 ]; then
    for f in $(ls -t "$work"/*.err | head -n 3); do
      [ -s "$f" ] && echo "--- ${f##*/}:" && head -n 5 "$f"
    done
  fi
  echo "$passed passed, $failed failed"
  [ "$failed" -eq 0 ]
  exit
}

need() {
  local tool
  for tool in "$@"; do
    command -v "$tool" >/dev/null || { echo "SKIP: $tool is not installed"; exit 77; }
  done
}

start_xvfb() {
  need Xvfb xdpyinfo xdotool xclip
  Xvfb -displayfd 3 -nolisten tcp -noreset -screen 0 1024x768x24 3>"$work/display" 2>"$work/xvfb.log" &
  xvfb_pid=$!
  wait_until 10 test -s "$work/display" || { echo "FAIL - Xvfb did not start"; exit 1; }
  DISPLAY=:$(head -n 1 "$work/display")
  export DISPLAY
  wait_until 10 eval 'xdpyinfo >/dev/null 2>&1' || { echo "FAIL - $DISPLAY not ready"; exit 1; }
}

# launch TAG [ARGUMENT...]: starts the program in the background, its output
# in $work/TAG.out and $work/TAG.err; its process id in $pid.
launch() {
  local tag=$1
  shift
  LANG=$PLANG "$PELVORN" "$@" >"$work/$tag.out" 2>"$work/$tag.err" &
  pid=$!
  pids+=("$pid")
}
# await PID SECONDS: waits for a launched PID to end; its status in $rc
# (124 when it had not ended in time and was killed).
await() {
  if wait_until "$2" ended "$1"; then
    wait "$1" 2>/dev/null
    rc=$?
  else
    kill -9 "$1" 2>/dev/null
    wait "$1" 2>/dev/null
    rc=124
  fi
}
# stop PID: kills a launched PID and reaps it quietly.
stop() { { kill -9 "$1" && wait "$1"; } 2>/dev/null; }
# run [ARGUMENT...]: runs the program to its end (killed after 10 s); status
# in $rc, milliseconds taken in $took, output in $work/run.out and run.err.
run() {
  local start
  start=$(now_ms)
  LANG=$PLANG timeout -k 2 10 "$PELVORN" "$@" >"$work/run.out" 2>"$work/run.err"
  rc=$?
  took=$(($(now_ms) - start))
}

# windows TITLE [PID]: ids of the visible windows titled exactly TITLE (of
# process PID). xdotool's --name regex cannot match the umlaut in a Qt
# window's WM_NAME, so titles are compared as getwindowname prints them.
windows() {
  local w
  for w in $(xdotool search --all --onlyvisible ${2:+--pid "$2"} --name '' 2>/dev/null); do
    [ "$(xdotool getwindowname "$w" 2>/dev/null)" = "$1" ] && echo "$w"
  done
}
count_windows() { windows "$@" | wc -l; }
has_window() { [ -n "$(windows "$@")" ]; }

# press TITLE PID KEY...: focuses that window (there is no window manager to
# do it) and sends KEYs through XTEST.
press() {
  local w
  w=$(windows "$1" "$2" | head -n 1)
  [ -n "$w" ] && timeout 5 xdotool windowfocus --sync "$w" && xdotool key "${@:3}"
}
# type_into TITLE PID TEXT: focuses that window and types TEXT.
type_into() {
  local w
  w=$(windows "$1" "$2" | head -n 1)
  [ -n "$w" ] && timeout 5 xdotool windowfocus --sync "$w" && xdotool type "$3"
}

# The clipboard's text, byte for byte.
clipboard() {
  local text
  text=$(timeout 3 xclip -o -selection clipboard 2>/dev/null; printf x)
  printf '%s' "${text%x}"
}
clipboard_is() { [ "$(clipboard; printf x)" = "$1x" ]; }
# check_clipboard NAME EXPECTED: waits up to 5 s for the clipboard to hold
# EXPECTED.
check_clipboard() {
  wait_until 5 clipboard_is "$2"
  check_eq "$1" "$2" "$(clipboard)"
}
