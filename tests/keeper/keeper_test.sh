#!/bin/bash
# The clipboard keeper on a private Xvfb (no window manager, no clipboard
# manager): the line is on CLIPBOARD as soon as the handover returns, stays
# there after the caller has ended, in every text form the keeper offers,
# until another program takes the clipboard; at most one keeper per display;
# failures come back quickly as "not handed over".
#
# usage: keeper_test.sh DRIVER KEEPER
# Exit status 0 when every check passed, 1 otherwise, 77 when Xvfb or xclip
# is missing.

set -u
driver=$1
keeper=$2

for tool in Xvfb xclip timeout pgrep; do
  if ! command -v "$tool" >/dev/null; then
    echo "SKIP: $tool is not installed"
    exit 77
  fi
done

work=$(mktemp -d)
xvfb_pid=
display=
failures=0

now_ms() {
  local now=${EPOCHREALTIME//[.,]/}
  echo $((now / 1000))
}

# wait_until SECONDS COMMAND...: succeeds as soon as COMMAND does, fails
# when it has not within SECONDS.
wait_until() {
  local deadline=$(($(now_ms) + $1 * 1000))
  shift
  until "$@"; do
    (($(now_ms) >= deadline)) && return 1
    sleep 0.02
  done
}

# The keepers alive on our display (zombies and other displays left out).
keepers() {
  local pid state
  for pid in $(pgrep -f -- "^$keeper\$"); do
    read -r _ _ state _ 2>/dev/null <"/proc/$pid/stat" || continue
    [ "$state" = Z ] && continue
    tr '\0' '\n' 2>/dev/null <"/proc/$pid/environ" | grep -qxF "DISPLAY=$display" && echo "$pid"
  done
}

keeper_count() { keepers | wc -l; }
no_keeper() { [ "$(keeper_count)" -eq 0 ]; }
one_keeper() { [ "$(keeper_count)" -eq 1 ]; }

# True when process $1 is gone or a zombie.
ended() {
  local state
  read -r _ _ state _ 2>/dev/null <"/proc/$1/stat" || return 0
  [ "$state" = Z ]
}

cleanup() {
  local pid
  if [ -n "$display" ]; then
    for pid in $(keepers); do kill "$pid" 2>/dev/null; done
  fi
  if [ -n "$xvfb_pid" ]; then
    kill "$xvfb_pid" 2>/dev/null
    wait "$xvfb_pid" 2>/dev/null
  fi
  rm -rf "$work"
}
trap cleanup EXIT

pass() { echo "ok   - $1"; }
fail() {
  echo "FAIL - $1"
  failures=$((failures + 1))
}
check() {
  local name=$1
  shift
  if "$@"; then pass "$name"; else fail "$name"; fi
}

# hand_over LINE [DRIVER OPTIONS...]: runs the driver as a caller would,
# inside $(...), with its own deadline and an extra descriptor (7) open that
# the keeper must not keep; sets status and elapsed (ms).
hand_over() {
  local line=$1
  shift
  local start
  start=$(now_ms)
  # The inner shell waits for end of file on its $(...) pipe: a keeper that
  # kept the driver's stdout or stderr open would hold it until the outer
  # timeout.
  # shellcheck disable=SC2016
  DISPLAY=$display timeout -s KILL 10 bash -c 'out=$("$@" 2>&1); echo "$?|$out"' _ \
    "$driver" --keeper "$keeper" "$@" "$line" >"$work/caller.out" 2>"$work/caller.err" 7>>"$work/caller.fd7"
  status=$(cut -d'|' -f1 <"$work/caller.out")
  elapsed=$(($(now_ms) - start))
  [ -n "$status" ] || status=timeout
}

# clipboard_is TARGET EXPECTED_BYTES: the clipboard converted to TARGET is
# exactly EXPECTED_BYTES.
clipboard_is() {
  printf '%s' "$2" >"$work/expected"
  DISPLAY=$display timeout 5 xclip -o -selection clipboard -target "$1" >"$work/actual" 2>/dev/null &&
    cmp -s "$work/expected" "$work/actual"
}

# --- a private X server --------------------------------------------------
Xvfb -displayfd 3 -nolisten tcp -screen 0 320x240x24 3>"$work/display" 2>"$work/xvfb.log" &
xvfb_pid=$!
if ! wait_until 10 test -s "$work/display"; then
  echo "FAIL - Xvfb did not start"
  cat "$work/xvfb.log"
  exit 1
fi
display=:$(head -n 1 "$work/display")
echo "# Xvfb on $display"

line='1892,585 km/139,74 °'

# --- the handover returns at once and the line is there right away -------
hand_over "$line"
check "handover inside \$(...) succeeds (status $status)" [ "$status" = 0 ]
check "handover inside \$(...) returns promptly (${elapsed} ms)" [ "$elapsed" -lt 3000 ]
check "the line is on CLIPBOARD right after the handover returned" clipboard_is UTF8_STRING "$line"
check "one keeper lives on after its caller ended" one_keeper

pid=$(keepers | head -n 1)
if [ -n "$pid" ]; then
  read -r _ _ _ _ _ session _ <"/proc/$pid/stat"
  check "the keeper leads a session of its own" [ "$session" = "$pid" ]
  standard=$(for fd in 0 1 2; do readlink "/proc/$pid/fd/$fd"; done | sort -u)
  check "the keeper holds /dev/null as stdin, stdout and stderr" [ "$standard" = /dev/null ]
  others=0
  for fd in "/proc/$pid"/fd/*; do
    case ${fd##*/} in 0 | 1 | 2) continue ;; esac
    [[ $(readlink "$fd") == socket:* ]] || others=$((others + 1))
  done
  check "the keeper holds no descriptor but its X connection" [ "$others" -eq 0 ]
fi

# --- every text form offered ------------------------------------------------
# target | expected bytes (backslash escapes)
conversions=(
  "UTF8_STRING|1892,585 km/139,74 \xc2\xb0"
  "text/plain;charset=utf-8|1892,585 km/139,74 \xc2\xb0"
  "TEXT|1892,585 km/139,74 \xc2\xb0"
  "STRING|1892,585 km/139,74 \xb0"
)
for row in "${conversions[@]}"; do
  target=${row%%|*}
  check "target $target" clipboard_is "$target" "$(printf '%b' "${row#*|}")"
done
DISPLAY=$display timeout 5 xclip -o -selection clipboard -target TARGETS >"$work/targets" 2>/dev/null
check "TARGETS lists every offered target" \
  [ "$(sort "$work/targets" | tr '\n' ' ')" = "STRING TARGETS TEXT TIMESTAMP UTF8_STRING text/plain;charset=utf-8 " ]
check "TIMESTAMP gives the time of taking the clipboard" \
  [ "$(DISPLAY=$display timeout 5 xclip -o -selection clipboard -target TIMESTAMP 2>/dev/null | grep -cxE '[1-9][0-9]*')" -eq 1 ]
# shellcheck disable=SC2016
check "an unknown target is refused" \
  bash -c '! DISPLAY=$0 timeout 5 xclip -o -selection clipboard -target image/png >/dev/null 2>&1' "$display"

# --- STRING is Latin-1: what Latin-1 lacks becomes "?" ----------------------
hand_over "$(printf 'Gr\xc3\xbc\xc3\x9fe \xe2\x86\x92 5 \xe2\x82\xac \xf0\x9f\x93\xa1 \xff.')"
check "Latin-1 conversion: handover succeeds" [ "$status" = 0 ]
check "Latin-1 conversion: umlauts kept, others replaced" clipboard_is STRING "$(printf 'Gr\xfc\xdfe ? 5 ? ? ?.')"
check "Latin-1 conversion: UTF8_STRING keeps the bytes as given" \
  clipboard_is UTF8_STRING "$(printf 'Gr\xc3\xbc\xc3\x9fe \xe2\x86\x92 5 \xe2\x82\xac \xf0\x9f\x93\xa1 \xff.')"

# --- a new handover replaces the keeper -------------------------------------
first=$(keepers)
hand_over "1892.585 km/139.74 °"
check "second handover succeeds" [ "$status" = 0 ]
check "the second line replaced the first" clipboard_is UTF8_STRING "1892.585 km/139.74 °"
check "exactly one keeper after the second handover" wait_until 2 one_keeper
check "the earlier keeper has ended" wait_until 2 ended "${first:-0}"

# --- another program takes the clipboard ------------------------------------
last=$(keepers)
printf other | DISPLAY=$display timeout 5 xclip -selection clipboard -i >/dev/null 2>&1
check "the keeper ends within a second once xclip took the clipboard" wait_until 1 no_keeper
check "the clipboard then holds the other program's text" clipboard_is UTF8_STRING "other"

# --- "ok" only once the server has confirmed the keeper as owner -----------
# With the server stopped no keeper can take the clipboard, so a handover
# that still reported success would have answered too early.
kill -STOP "$xvfb_pid"
hand_over "$line" --timeout-ms 300
kill -CONT "$xvfb_pid"
check "no success while the X server cannot confirm the owner (status $status)" [ "$status" = 1 ]
check "the clipboard still holds the other program's text" clipboard_is UTF8_STRING "other"

# --- the longest line and one byte more -------------------------------------
longest=$(head -c 65536 /dev/zero | tr '\0' 'x')
hand_over "$longest"
check "a line of 64 KiB is handed over" [ "$status" = 0 ]
check "a line of 64 KiB reads back whole" clipboard_is UTF8_STRING "$longest"
hand_over "${longest}y"
check "a line longer than 64 KiB is refused" [ "$status" = 1 ]
check "a refused line leaves the clipboard as it was" clipboard_is UTF8_STRING "$longest"
answer=$(printf '%sy' "$longest" | DISPLAY=$display timeout 5 "$keeper")
status=$?
check "the keeper itself refuses more than 64 KiB on stdin (status $status)" \
  [ "$status" -ne 0 -a "${answer:0:6}" = error: ]

# --- failures come back quickly -----------------------------------------------
printf '#!/bin/sh\necho $$ >"%s"\nexec sleep 30\n' "$work/silent.pid" >"$work/silent-keeper"
printf '#!/bin/sh\necho "error: test"\n' >"$work/failing-keeper"
chmod +x "$work/silent-keeper" "$work/failing-keeper"

start=$(now_ms)
env -u DISPLAY -u WAYLAND_DISPLAY timeout -s KILL 10 "$driver" --keeper "$keeper" "$line" >/dev/null 2>&1
status=$?
elapsed=$(($(now_ms) - start))
check "without DISPLAY the handover fails (status $status)" [ "$status" = 1 ]
check "without DISPLAY the handover fails quickly (${elapsed} ms)" [ "$elapsed" -lt 2000 ]

start=$(now_ms)
DISPLAY=:4242 timeout -s KILL 10 "$driver" --keeper "$keeper" "$line" >/dev/null 2>&1
status=$?
elapsed=$(($(now_ms) - start))
check "with a display nobody serves the handover fails quickly (status $status, ${elapsed} ms)" \
  [ "$status" = 1 -a "$elapsed" -lt 2000 ]

DISPLAY=$display timeout -s KILL 10 "$driver" --keeper "$work/failing-keeper" "$line" >/dev/null 2>&1
status=$?
check "a keeper answering an error means failure (status $status)" [ "$status" = 1 ]

start=$(now_ms)
DISPLAY=$display timeout -s KILL 10 "$driver" --keeper "$work/silent-keeper" --timeout-ms 300 "$line" >/dev/null 2>&1
status=$?
elapsed=$(($(now_ms) - start))
check "a keeper that never answers means failure after the timeout (status $status, ${elapsed} ms)" \
  [ "$status" = 1 -a "$elapsed" -ge 300 -a "$elapsed" -lt 3000 ]
silent=$(cat "$work/silent.pid" 2>/dev/null)
check "a keeper that never answered has been ended" ended "${silent:-0}"

DISPLAY=$display timeout -s KILL 10 "$driver" --keeper "$work/nonexistent" "$line" >/dev/null 2>&1
check "a missing keeper means failure" [ $? = 1 ]

# --- where the program looks for the keeper -----------------------------------
mkdir "$work/bin"
cp "$driver" "$work/bin/driver"
cp "$keeper" "$work/bin/pelvorn-clipboard-keeper"
check "the keeper is found next to the running program" \
  [ "$("$work/bin/driver" --find)" = "$work/bin/pelvorn-clipboard-keeper" ]
rm "$work/bin/pelvorn-clipboard-keeper"
check "a keeper missing next to the program is not found there" \
  [ "$("$work/bin/driver" --find)" != "$work/bin/pelvorn-clipboard-keeper" ]

# --- the X server goes away ---------------------------------------------------
hand_over "$line"
check "handover before the server goes away" [ "$status" = 0 ]
last=$(keepers)
kill "$xvfb_pid"
wait "$xvfb_pid" 2>/dev/null
xvfb_pid=
check "the keeper ends when the X server goes away" wait_until 2 ended "${last:-0}"

if [ "$failures" -ne 0 ]; then
  echo "$failures check(s) failed"
  exit 1
fi
echo "all checks passed"
