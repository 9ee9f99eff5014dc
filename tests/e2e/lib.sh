# Shared by the tests that run a built program ($1 of the sourcing script) on
# a private Xvfb or without any display, each with a runtime directory of its
# own that the single-instance guard sees. Exit status 0 when every check
# passed, 1 otherwise, 77 when a tool is missing.

# shellcheck shell=bash disable=SC2034 # constants for the sourcing scripts
set -u
program=$1
MAIN_TITLE=' Pelvorn  V 1.0.3'
BUSY_TITLE='Pelvorn läuft bereits '
INFO_TITLE=' Info '
MODE_TITLE=' Falsche Parameterbezeichnung '
RESULT_DE='1892,585 km/139,74 °'
RESULT_EN='1892.585 km/139.74 °'
HIDDEN_L='L;JO62mm;KM38mm;;;V-'
[ -x "$program" ] || { echo "FAIL - no program at $program"; exit 1; }

# The program gets its locale from PLANG alone; no display until start_xvfb.
PLANG=de_DE.UTF-8
unset LC_ALL LC_NUMERIC LC_MESSAGES DISPLAY WAYLAND_DISPLAY
work=$(mktemp -d)
XDG_RUNTIME_DIR=$(mktemp -d)
export XDG_RUNTIME_DIR
xvfb_pid=
failed=0

now_ms() { local now=${EPOCHREALTIME//[.,]/}; echo $((now / 1000)); }
# wait_until SECONDS COMMAND...: succeeds as soon as COMMAND does, fails when
# it has not within SECONDS.
wait_until() {
  local deadline=$(($(now_ms) + $1 * 1000))
  until "${@:2}"; do
    (($(now_ms) >= deadline)) && return 1
    sleep 0.05
  done
}
# running PID: the process exists and is no zombie.
running() { local state; read -r _ _ state _ 2>/dev/null <"/proc/$1/stat" && [ "$state" != Z ]; }
ended() { ! running "$1"; }
# ours [REGEX]: our running processes but the script itself (those whose
# command line matches REGEX); they all carry our runtime directory.
ours() {
  local p
  for p in $(pgrep -u "$(id -u)" ${1:+-f "$1"}); do
    [ "$p" != $$ ] && running "$p" &&
      grep -qzxF "XDG_RUNTIME_DIR=$XDG_RUNTIME_DIR" "/proc/$p/environ" 2>/dev/null && echo "$p"
  done
}
cleanup() {
  local p
  for p in $(ours); do [ "$p" = "$xvfb_pid" ] || kill -9 "$p" 2>/dev/null; done
  [ -z "$xvfb_pid" ] || kill "$xvfb_pid"
  wait 2>/dev/null
  rm -rf "$work" "$XDG_RUNTIME_DIR"
}
trap cleanup EXIT
trap "exit 1" TERM INT HUP

# tally STATUS NAME [DETAIL]: reports one check; returns STATUS.
tally() {
  [ "$1" = 0 ] && echo "ok   - $2" || { failed=$((failed + 1)) && echo "FAIL - $2${3:+: $3}"; }
  return "$1"
}
# check NAME COMMAND...: passes when COMMAND succeeds.
check() { "${@:2}"; tally $? "$1"; }
check_eq() { [ "$2" = "$3" ]; tally $? "$1" "expected [$2], got [$3]"; }
# check_out NAME LINE: the last run wrote LINE and a newline on standard
# output, or nothing when LINE is empty.
check_out() { check_eq "$1" "${2:+$2$'\n'}|" "$(cat "$work/run.out"; printf '|')"; }
finish() {
  echo "$failed check(s) failed"
  exit $((failed > 0))
}

start_xvfb() {
  local tool
  for tool in Xvfb xdotool xclip; do
    command -v "$tool" >/dev/null || { echo "SKIP: $tool is not installed"; exit 77; }
  done
  # -noreset: else the server resets whenever its last client leaves, and a
  # client connecting in that moment fails.
  Xvfb -displayfd 3 -nolisten tcp -noreset -screen 0 "${XVFB_SCREEN:-1024x768x24}" 3>"$work/display" 2>/dev/null &
  xvfb_pid=$!
  wait_until 10 test -s "$work/display" || { echo "FAIL - Xvfb did not start"; exit 1; }
  DISPLAY=:$(head -n 1 "$work/display")
  export DISPLAY
  # A desktop session of the program's own (Wine's) starts here, not inside a timed run.
  [ -z "${E2E_SESSION_START:-}" ] || $E2E_SESSION_START >/dev/null 2>&1
}

# launch [ARGUMENT...]: starts the program in the background; its id in $pid.
launch() {
  LANG=$PLANG "$program" "$@" >/dev/null 2>>"$work/launched.err" &
  pid=$!
}
# await PID SECONDS: waits for launched PID to end (kills it after SECONDS);
# its status in $rc.
await() {
  wait_until "$2" ended "$1" || kill -9 "$1" 2>/dev/null
  wait "$1" 2>/dev/null
  rc=$?
}
stop() { { kill -9 "$1" && wait "$1"; } 2>/dev/null; }
# run [ARGUMENT...]: runs the program to its end (killed after 10 s) with its
# standard output and error on pipes, as in out=$(...): whatever keeps them
# open holds the run up. Status in $rc, milliseconds in $took, output in
# $work/run.out and run.err.
run() {
  local start
  start=$(now_ms)
  # shellcheck disable=SC2016
  LANG=$PLANG timeout -s KILL 10 bash -o pipefail -c '{ "$@" | cat >"$0.out"; } 2>&1 | cat >"$0.err"' \
    "$work/run" "$program" "$@"
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
has_window() { [ -n "$(windows "$@")" ]; }
# focus TITLE PID: gives that window the keyboard (no window manager does).
focus() {
  local w
  w=$(windows "$1" "$2" | head -n 1)
  [ -n "$w" ] && timeout 5 xdotool windowfocus --sync "$w"
}

# click_entry PID ENTRY COUNT: clicks entry ENTRY (1 for the top one) of the
# open menu of PID, which has COUNT entries of one height. The menu is the
# newest visible window of PID besides the main window.
click_entry() {
  local main w X Y WIDTH HEIGHT
  main=$(windows "$MAIN_TITLE" "$1" | head -n 1)
  w=$({ xdotool search --all --onlyvisible --pid "$1" --name ''
        xdotool search --all --onlyvisible --pid "$1" --class ''; } 2>/dev/null | grep -vxF "$main" | sort -n | tail -n 1)
  [ -n "$w" ] || return 1
  eval "$(xdotool getwindowgeometry --shell "$w" | grep -E '^(X|Y|WIDTH|HEIGHT)=')"
  xdotool mousemove $((X + WIDTH / 2)) $((Y + HEIGHT * (2 * $2 - 1) / (2 * $3))) click 1
}

# clipboard [TARGET]: the clipboard converted to TARGET, byte for byte, then "|".
# Where the clipboard reaches X11 through a bridge a moment later (Wine), the
# caller sets E2E_CLIPBOARD_SETTLE to the seconds to give it first.
clipboard() {
  sleep "${E2E_CLIPBOARD_SETTLE:-0}"
  timeout 3 xclip -o -selection clipboard -target "${1:-UTF8_STRING}" 2>/dev/null
  printf '|'
}
clipboard_is() { [ "$(clipboard)" = "$1|" ]; }
# set_clipboard TEXT: TEXT on the clipboard, from xclip, which serves it
# until another program takes it; returns once it is there.
set_clipboard() { printf %s "$1" | xclip -selection clipboard -i >/dev/null 2>&1 && wait_until 5 clipboard_is "$1"; }
# check_clipboard NAME TEXT: waits up to 5 s for the clipboard to hold TEXT.
check_clipboard() { wait_until 5 clipboard_is "$2"; check_eq "$1" "$2|" "$(clipboard)"; }
