#!/bin/bash
# Runs a Windows program under wine64 in the test prefix $PELVORN_WINEPREFIX
# and exits with its status. The prefix is made on first use; the wine server
# is started here, apart from the caller's processes, so that a test
# script's clean-up ends the programs but not the server (tools/test.sh and
# CTest end it with "wine.sh --stop"). The Windows number format follows
# LANG: de_* gives the German one (decimal comma), anything else the English
# one (decimal point); Wine's own choice from LANG needs glibc locales.
# Usage: wine.sh PROGRAM.exe [ARGUMENT...] | wine.sh --stop
set -u
wine=/usr/lib/wine/wine64
wineserver=/usr/lib/wine/wineserver
[ -x "$wine" ] || { echo "wine.sh: $wine is missing (Debian package wine64)" >&2; exit 1; }
export WINEPREFIX=${PELVORN_WINEPREFIX:?wine.sh: PELVORN_WINEPREFIX is not set}
export WINEDEBUG=-all WINEDLLOVERRIDES='mscoree,mshtml,winemenubuilder.exe='

if [ "${1:-}" = --stop ]; then
  [ -d "$WINEPREFIX" ] && "$wineserver" -k 2>/dev/null
  exit 0
fi

# Only the server and the prefix set-up run without the caller's standard
# streams, so that they never hold a pipe of the caller open.
quietly() { env -u XDG_RUNTIME_DIR "$@" </dev/null >/dev/null 2>&1; }

if [ ! -f "$WINEPREFIX/.made" ]; then
  mkdir -p "$(dirname "$WINEPREFIX")"
  (
    flock 9
    if [ ! -f "$WINEPREFIX/.made" ]; then
      rm -rf "$WINEPREFIX"
      quietly "$wine" wineboot -i && quietly "$wineserver" -w && touch "$WINEPREFIX/.made"
    fi
  ) 9>"$WINEPREFIX.lock"
  [ -f "$WINEPREFIX/.made" ] || { echo "wine.sh: wineboot could not make $WINEPREFIX" >&2; exit 1; }
fi

format=$WINEPREFIX/.number-format
# A server started just now has the registry as last saved: set the format again.
quietly "$wineserver" -p && rm -f "$format"
case ${LANG:-} in
  de_*) decimal=, thousand=. ;;
  *) decimal=. thousand=, ;;
esac
if [ "$(cat "$format" 2>/dev/null)" != "$decimal" ]; then
  key='HKCU\Control Panel\International'
  quietly "$wine" reg add "$key" /v sDecimal /d "$decimal" /f &&
    quietly "$wine" reg add "$key" /v sThousand /d "$thousand" /f &&
    echo "$decimal" >"$format"
fi
exec "$wine" "$@"
