#!/bin/bash
# Hidden runs with a rotator (--rotator or the settings file): the antenna
# turns to the short-path direction; a failure ends with status 4 and a
# German line on standard error, and the result is on standard output all the
# same. (Hamlib's dummy taking a turn and every way a daemon fails, with its
# time limit: tests/rotator/RotatorTest.cpp.)
. "$(dirname "$0")/rotator_lib.sh"
start_xvfb
conf=$HOME/.config/pelvorn/Pelvorn.conf
mkdir -p "${conf%/*}"

# hidden NAME STATUS ERROR ARGUMENT...: the run of ARGUMENT... (JO62mm to
# KM38mm) ends with STATUS, ERROR on standard error (nothing when empty), and
# the result on standard output.
hidden() {
  run "${@:4}"
  check_eq "$1: status" "$2" "$rc"
  check_out "$1: result on standard output" "$RESULT_DE"
  if [ -z "$3" ]; then
    check_eq "$1: nothing on standard error" "" "$(cat "$work/run.err")"
  else
    check "$1: standard error says \"$3\"" grep -qF -- "$3" "$work/run.err"
  fi
}

# A run that beeps (a four-character locator) is done by the Qt front end,
# which takes the locale of the environment: under a German one the C library
# writes 139,74, the wire must not. The antenna turns once, after the result.
localedef -i de_DE -f UTF-8 "$work/de_DE.UTF-8" 2>/dev/null
[ -e "$work/de_DE.UTF-8" ] || { echo "FAIL - localedef could not build de_DE.UTF-8 (package locales)"; exit 1; }
start_stub answer
# The locale is set for the program alone (bash itself cannot load it).
pelvorn=$program program=env
hidden "beeping run, German locale" 0 "" LOCPATH="$work" LC_ALL=de_DE.UTF-8 "$pelvorn" \
  --rotator "127.0.0.1:$stub_port" 'L;JO62;KM38mm;;;V-'
program=$pelvorn
check_eq "beeping run, German locale: one turn, a point on the wire" "P 139.74 0.00" "$(grep '^P' "$stub_log")"

# The settings file (its address is the one the run turns), and the
# command line overriding it.
printf '[Rotator]\nAddress=rotor:99999\n' >"$conf"
hidden "bad address in the file" 4 "Ungültige Rotor-Adresse „rotor:99999“" "$HIDDEN_L"
hidden "command line over the file, option after the line" 0 "" "$HIDDEN_L" --rotator "127.0.0.1:$stub_port"
printf '[Rotator]\nAddress=\n' >"$conf"
hidden "empty address in the file: no rotator" 0 "" "$HIDDEN_L"

run --rotator "$HIDDEN_L"
check_eq "--rotator without an address: status 4" 4 "$rc"
check_out "--rotator without an address: nothing computed" ""
check "--rotator without an address: says so" grep -qF "Ungültige Rotor-Adresse „L;JO62mm;KM38mm;;;V-“" "$work/run.err"
finish
