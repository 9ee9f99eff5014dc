#!/bin/bash
# The single-instance guard without a usable XDG_RUNTIME_DIR, on a bare X
# server: whatever another user left where the guard would fall back to
# (a directory of theirs, a symbolic link, a directory open to others), a
# second ordinary copy is refused. Only with no private place at all does a
# second copy run, and then it says so on standard error. Making a directory
# for another user (nobody) needs root.
. "$(dirname "$0")/lib.sh"
start_xvfb
uid=$(id -u)
home=$work/home
shared=$work/tmp
# The other user must reach the shared directory.
chmod 0711 "$work" && mkdir -m 0755 "$home" && mkdir -m 1777 "$shared"

# guarded START: starts the program with XDG_RUNTIME_DIR as START says
# ("unset" or a value), our home and shared temporary directory.
guarded() {
  local runtime=(env XDG_RUNTIME_DIR="$1")
  [ "$1" = unset ] && runtime=(env -u XDG_RUNTIME_DIR)
  "${runtime[@]}" HOME="$home" TMPDIR="$shared" LANG=$PLANG "$program" >/dev/null 2>>"$work/guard.err" &
  pid=$!
}
# occupy HOW: what another user left at $shared/pelvorn-<uid>.
occupy() {
  rm -rf "${shared:?}/pelvorn-$uid"
  case $1 in
    foreign) runuser -u nobody -- mkdir -m 0700 "$shared/pelvorn-$uid" ;;
    link) mkdir -p "$work/elsewhere" && ln -s "$work/elsewhere" "$shared/pelvorn-$uid" ;;
    open) mkdir -m 0755 "$shared/pelvorn-$uid" ;;
    nothing) ;;
  esac
}

# XDG_RUNTIME_DIR | left in the shared directory | the home usable (yes/no)
cases=(
  "unset|foreign|yes" "|foreign|yes" "unset|link|yes" "|open|yes" "$shared|open|yes"
  "unset|nothing|no" "|foreign|no"
)
[ "$(id -u)" = 0 ] || echo "# not root: the other user's directories are left out"
for row in "${cases[@]}"; do
  IFS='|' read -r runtime left usable <<<"$row"
  [ "$left" = foreign ] && [ "$(id -u)" != 0 ] && continue
  name="XDG_RUNTIME_DIR ${runtime:-empty}, $left in the shared directory, home ${usable/yes/usable}"
  name=${name/home no/no home}
  occupy "$left" || { tally 1 "$name: cannot occupy the shared directory"; continue; }
  rm -rf "$home/.cache"
  [ "$usable" = yes ] && chmod 0755 "$home" || chmod 0777 "$home"
  : >"$work/guard.err"
  guarded "$runtime"
  first=$pid
  check "$name: first copy shows its window" wait_until 10 has_window "$MAIN_TITLE" "$first"
  guarded "$runtime"
  second=$pid
  if [ "$usable" = no ] && [ "$left" != nothing ] && ! [ -d "/run/user/$uid" ]; then
    # Nothing private is left: it runs, and says so.
    check "$name: second copy runs unguarded" wait_until 10 has_window "$MAIN_TITLE" "$second"
    check "$name: and says so on standard error" grep -q 'Kein privates Verzeichnis' "$work/guard.err"
  else
    check "$name: second copy refused" wait_until 10 has_window "$BUSY_TITLE" "$second"
    check_eq "$name: no word of ours on standard error" "" "$(grep '^Pelvorn' "$work/guard.err")"
  fi
  stop "$second"
  stop "$first"
done
finish
