#!/bin/bash
# Runs a Windows program under Wine in the prefix $PELVORN_WINEPREFIX and
# exits with its status: 64-bit Wine (wine64) by default, 32-bit Wine (wine,
# Debian's wine32:i386, a prefix of 32-bit Windows) with
# PELVORN_WINEARCH=win32. PELVORN_WINEDEBUG, if set, replaces WINEDEBUG=-all
# (e.g. -all,+debugstr: the program's debugger output on standard error).
#
# The wine server and Wine's services run apart from the caller's processes:
# a test script's clean-up ends its programs, not the session. Wine's desktop
# process bridges the clipboard to X11 and ends a moment after the last
# program on its desktop; as a Windows session would, $PELVORN_DESKTOP_KEEPER
# (a program that only waits) keeps it for the caller's DISPLAY and runtime
# directory until the caller's clean-up. A caller with another of either (the
# next test script, with its own Xvfb) gets a new session, as after a new
# log-on, lest the last clipboard reach the new X server.
#
# The Windows number format follows LANG: de_* gives the German one (decimal
# comma), ar_* the Arabic decimal separator, anything else the
# English one (decimal point). Wine's own choice from LANG needs glibc
# locales, so it is set in the registry.
#
# Usage: wine.sh PROGRAM.exe [ARGUMENT...]
#        wine.sh --make    makes the prefix (wineboot -i, about 15 s) and
#                          starts the session
#        wine.sh --stop    ends the session (wineserver -k for this prefix only)
set -u
case ${PELVORN_WINEARCH:-win64} in
  win64) wine=/usr/lib/wine/wine64 package=wine64 ;;
  win32) wine=/usr/lib/wine/wine package=wine32:i386 && export WINEARCH=win32 ;;
  *) echo "wine.sh: PELVORN_WINEARCH must be win64 or win32, not $PELVORN_WINEARCH" >&2; exit 1 ;;
esac
wineserver=/usr/lib/wine/wineserver
[ -x "$wine" ] || { echo "wine.sh: $wine is missing (Debian package $package)" >&2; exit 1; }
export WINEPREFIX=${PELVORN_WINEPREFIX:?wine.sh: PELVORN_WINEPREFIX is not set}
export WINEDEBUG=${PELVORN_WINEDEBUG:--all} WINEDLLOVERRIDES='mscoree,mshtml,winemenubuilder.exe='
format=$WINEPREFIX/.number-format
session=$WINEPREFIX/.session

# Without the caller's standard streams and runtime directory, so that
# nothing started here holds a pipe of the caller open or is ended with it.
# Nor the lock descriptors of this script: the wine server lives on and
# would hold them.
quietly() { env -u XDG_RUNTIME_DIR "$@" </dev/null >/dev/null 2>&1 7>&- 8>&- 9>&-; }

# Starts the server (it ends a minute after its last program, or at --stop)
# and, through the first program, Wine's services; a new server has the
# registry as last saved.
start_session() {
  quietly "$wineserver" -p60 || return 0
  rm -f "$format" "$session"
  set_number_format
}

# One registry import (a UTF-16 file, so that any separator survives).
# Under a lock: two callers that start at once (a program still starting in
# the background, the next one beside it) must not see the format file say
# one separator while the registry holds the other.
set_number_format() {
  local decimal=. thousand=, file=$WINEPREFIX/number-format.reg
  flock 7 || return 1
  case ${LANG:-} in
    de_*) decimal=, thousand=. ;;
    ar_*) decimal=$'\xd9\xab' thousand=$'\xd9\xac' ;;  # U+066B, U+066C
  esac
  [ "$(cat "$format" 2>/dev/null)" != "$decimal" ] || return 0
  {
    printf '\xff\xfe'
    printf 'Windows Registry Editor Version 5.00\r\n\r\n[HKEY_CURRENT_USER\\Control Panel\\International]\r\n"sDecimal"="%s"\r\n"sThousand"="%s"\r\n' \
      "$decimal" "$thousand" | iconv -f UTF-8 -t UTF-16LE
  } >"$file"
  quietly "$wine" regedit /S "$file" && echo "$decimal" >"$format"
} 7>"$WINEPREFIX/.number-format.lock"

case ${1:-} in
  --stop)
    [ -d "$WINEPREFIX" ] && quietly "$wineserver" -k
    rm -f "$session"
    exit 0
    ;;
  --make)
    mkdir -p "$(dirname "$WINEPREFIX")"
    (
      flock 9
      if [ ! -f "$WINEPREFIX/.made" ]; then
        rm -rf "$WINEPREFIX"
        quietly "$wine" wineboot -i && quietly "$wineserver" -w && touch "$WINEPREFIX/.made"
      fi
    ) 9>"$WINEPREFIX.lock"
    [ -f "$WINEPREFIX/.made" ] || { echo "wine.sh: wineboot could not make $WINEPREFIX" >&2; exit 1; }
    start_session
    exit 0
    ;;
esac

[ -f "$WINEPREFIX/.made" ] || "$0" --make || exit 1
start_session
# new_session: ends the session of another caller and starts ours.
new_session() {
  [ "$(cat "$session" 2>/dev/null)" != "$DISPLAY ${XDG_RUNTIME_DIR:-}" ] || return 0
  # A fresh server: the Windows clipboard of the last caller must not reach
  # the new X server.
  quietly "$wineserver" -k && quietly "$wineserver" -w
  start_session
  if [ -n "${PELVORN_DESKTOP_KEEPER:-}" ]; then
    "$wine" "$PELVORN_DESKTOP_KEEPER" </dev/null >/dev/null 2>&1 7>&- 8>&- &
    # The keeper starts the desktop process. Had the caller's program started
    # it, it would hold the caller's standard output open as long as it runs.
    # Its desktop process of this prefix is the sign.
    local tries p
    for ((tries = 0; tries < 200; tries++)); do
      for p in $(pgrep -u "$(id -u)" -f 'explorer\.exe /desktop'); do
        grep -qzxF "WINEPREFIX=$WINEPREFIX" "/proc/$p/environ" 2>/dev/null && break 2
      done
      sleep 0.05
    done
  fi
  echo "$DISPLAY ${XDG_RUNTIME_DIR:-}" >"$session"
}
if [ -n "${DISPLAY:-}" ]; then
  ( flock 8 && new_session ) 8>"$session.lock"
fi
set_number_format
exec "$wine" "$@"
