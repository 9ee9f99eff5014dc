# The desktop the tests drive the program ($1) on, by $2: x11 (a bare Xvfb),
# wine (the same, for Pelvorn.exe), wayland (a headless sway of its own) or
# xwayland (that sway with XWayland). start_desktop starts it; shown, ready,
# type_keys, clip and clip_set then work alike on each. Builds on the end-to-end
# library (checks, runs, runtime directory).
#
# sway refuses to run as root: as root the tests run it as an unprivileged
# user created once; other users run it as themselves. Our own clients
# (the program, wl-copy, wl-paste, grim, wtype, xclip) reach it through an
# absolute WAYLAND_DISPLAY and keep their own runtime directory. A missing
# tool or a compositor that does not start fails the test: the Wayland paths
# are never skipped in silence.

# shellcheck shell=bash disable=SC2034 # constants for the sourcing scripts
. "$(dirname "${BASH_SOURCE[0]}")/../e2e/lib.sh"
MODE=${2:-wayland}
SWAY_USER=pelvorn-sway
sway_pid=
sway_dir=

fail_setup() { echo "FAIL - $*"; exit 1; }

wayland_cleanup() {
  # The compositor first: its clients then end, and nothing waits on it.
  [ -z "$sway_pid" ] || { kill "$sway_pid" 2>/dev/null && wait "$sway_pid" 2>/dev/null; }
  cleanup
  [ -z "$sway_dir" ] || rm -rf "$sway_dir"
}
trap wayland_cleanup EXIT

swaymsg_() { swaymsg -s "$SWAYSOCK" "$@"; }

# start_sway: a headless sway of $SCREEN pixels (default 1024x768), with
# XWayland in MODE xwayland, and a virtual keyboard that stays for the whole
# test; exports WAYLAND_DISPLAY, SWAYSOCK and, with XWayland, DISPLAY.
start_sway() {
  local tool tools='sway swaymsg wl-copy wl-paste grim wtype jq setpriv'
  [ "$MODE" = xwayland ] && tools+=' Xwayland xhost xclip'
  for tool in $tools; do
    command -v "$tool" >/dev/null || fail_setup "$tool is missing (apt-get install sway wl-clipboard" \
      "grim wtype jq, with XWayland also xwayland x11-xserver-utils xclip)"
  done
  # As root, sway runs as its own user, created once.
  local as=()
  if [ "$(id -u)" = 0 ]; then
    id -u "$SWAY_USER" >/dev/null 2>&1 || useradd --system --user-group --no-create-home \
      --home-dir /nonexistent --shell /usr/sbin/nologin "$SWAY_USER" 2>/dev/null ||
      id -u "$SWAY_USER" >/dev/null 2>&1 || fail_setup "cannot create the user $SWAY_USER for sway"
    as=(setpriv --reuid="$SWAY_USER" --regid="$SWAY_USER" --clear-groups --)
  fi
  sway_dir=$(mktemp -d)
  {
    [ "$MODE" = xwayland ] && echo 'xwayland enable' || echo 'xwayland disable'
    echo "output * resolution ${SCREEN:-1024x768} position 0 0"
  } >"$sway_dir/config"
  [ ${#as[@]} = 0 ] || chown -R "$SWAY_USER:$SWAY_USER" "$sway_dir"
  chmod 700 "$sway_dir"
  (exec "${as[@]}" env -i PATH=/usr/bin:/bin HOME="$sway_dir" XDG_RUNTIME_DIR="$sway_dir" \
    WLR_BACKENDS=headless WLR_LIBINPUT_NO_DEVICES=1 WLR_RENDERER=pixman \
    sway -c "$sway_dir/config" >"$work/sway.log" 2>&1) &
  sway_pid=$!
  sway_socket() { compgen -G "$sway_dir/wayland-*[0-9]" >/dev/null && compgen -G "$sway_dir/sway-ipc.*.sock" >/dev/null; }
  wait_until 10 sway_socket ||
    fail_setup "sway did not start: $(tail -n 5 "$work/sway.log" | tr '\n' ' ')"
  WAYLAND_DISPLAY=$(compgen -G "$sway_dir/wayland-*[0-9]" | head -n 1)
  SWAYSOCK=$(compgen -G "$sway_dir/sway-ipc.*.sock" | head -n 1)
  export WAYLAND_DISPLAY SWAYSOCK
  # The seat's only keyboard would otherwise be the one each wtype brings
  # and takes away again: a client then gets the first key of every wtype
  # run inside wl_keyboard.enter, as a key already held, not as a press.
  # A real seat keeps its keyboard; so does this one.
  wtype -s 3600000 &
  seat_has_keyboard() { swaymsg_ -t get_seats | jq -e '.[0].capabilities | . % 4 >= 2' >/dev/null; }
  wait_until 5 seat_has_keyboard || fail_setup "no virtual keyboard on the seat"
  if [ "$MODE" = xwayland ]; then
    # XWayland lets in the compositor's user only; our clients may be root.
    printf 'xhost +si:localuser:%s >/dev/null 2>&1\necho "$DISPLAY" >%s/display\n' \
      "$(id -un)" "$sway_dir" >"$sway_dir/xsetup"
    swaymsg_ exec "sh $sway_dir/xsetup" >/dev/null
    wait_until 10 test -s "$sway_dir/display" || fail_setup "XWayland did not start"
    DISPLAY=$(cat "$sway_dir/display")
    export DISPLAY
    wait_until 10 eval 'timeout 2 xdotool getdisplaygeometry >/dev/null 2>&1' ||
      fail_setup "XWayland at $DISPLAY does not let us in"
  fi
}

# view TITLE [PID]: one line per window titled exactly TITLE (of process
# PID): pid, focused (true/false), width, height, shell (xdg_shell or
# xwayland), app_id, title.
view() {
  swaymsg_ -t get_tree | jq -r '.. | objects | select(.pid? != null and (.type == "con" or .type == "floating_con"))
    | [.pid, .focused, .window_rect.width, .window_rect.height, .shell, .app_id, .name] | map(tostring) | join("\t")' |
    awk -F'\t' -v t="$1" -v p="${2:-}" '$7 == t && (p == "" || $1 == p)'
}
has_view() { [ -n "$(view "$@")" ]; }
# focused_view TITLE [PID]: sway gave that window the keyboard; an X11 window
# under XWayland, which gets its keys through the X server, also holds the
# X input focus there.
focused_view() {
  view "$@" | awk -F'\t' '$2 == "true" {found = 1} END {exit !found}' &&
    { ! x11_keys || [ "$(xdotool getwindowfocus getwindowname 2>/dev/null)" = "$1" ]; }
}

# type_keys STEP...: keyboard input to the focused window; a STEP "=TEXT"
# types TEXT, any other is a key as xdotool names it (Return, F1, alt+f).
# Wayland windows get all STEPs from one virtual keyboard (wtype) run: each
# run brings a keymap of its own, and Qt matches a key against its shortcuts
# (Enter, Esc, access keys) with the keymap it holds when it comes to the
# key, which may already be the next run's. So keys of one run share one
# keymap, and before the next run a test waits for a sign that they were
# handled. X11 windows (on Xvfb, or under XWayland, which would pick up a new
# keymap only some time after its keys) get XTEST input (xdotool), with a
# fixed keymap.
x11_keys() { on_x11 || [ "${QT_QPA_PLATFORM:-}" = xcb ]; }
type_keys() {
  local step args=()
  for step; do
    if x11_keys; then
      if [[ $step == =* ]]; then timeout 5 xdotool type "${step#=}"; else timeout 5 xdotool key "$step"; fi || return
    elif [[ $step == =* ]]; then
      args+=("${step#=}")
    elif [[ $step == [a-z]*+?* ]]; then
      args+=(-M "${step%%+*}" -k "${step#*+}" -m "${step%%+*}")
    else
      args+=(-k "$step")
    fi
  done
  x11_keys || timeout 5 wtype "${args[@]}"
}

# wl_clipboard: the Wayland clipboard as text, then "|".
wl_clipboard() {
  timeout 3 wl-paste --no-newline --type text/plain 2>/dev/null
  printf '|'
}

on_x11() { [ "$MODE" = x11 ] || [ "$MODE" = wine ]; }
start_desktop() {
  if on_x11; then XVFB_SCREEN=${SCREEN:+${SCREEN}x24} start_xvfb; else start_sway; fi
}
# shown TITLE [PID]: a window titled exactly TITLE (of process PID) is shown.
shown() { if on_x11; then has_window "$@"; else has_view "$@"; fi; }
# ready TITLE PID: that window is shown and has the keyboard; on a bare X
# server, where no window manager does, the test gives it the keyboard.
ready() {
  if on_x11; then
    wait_until 10 has_window "$1" "$2" && focus "$1" "$2"
  else
    wait_until 10 focused_view "$1" "$2"
  fi
}
# clip: the clipboard as text, then "|"; clip_set TEXT puts TEXT there.
clip() { if on_x11; then clipboard; else wl_clipboard; fi; }
clip_set() { if on_x11; then set_clipboard "$1"; else wl-copy "$1"; fi; }
