#!/bin/bash
# Hidden runs with a rotator (--rotator or the settings file): the antenna
# turns to the short-path direction; every failure ends within the time
# limit with status 4 and a German line on standard error, and the result is
# on standard output and the clipboard all the same.
. "$(dirname "$0")/rotator_lib.sh"
start_xvfb

# check_failure NAME PART: the last run failed on the rotator alone.
check_failure() {
  check_eq "$1: status 4" 4 "$rc"
  check_out "$1: result on standard output" "$RESULT_DE"
  check "$1: standard error says \"$2\"" grep -qF -- "$2" "$work/run.err"
  check_eq "$1: result on the clipboard" "$RESULT_DE|" "$(clipboard)"
}

start_rotctld
run --rotator "127.0.0.1:$rot_port" "$HIDDEN_L"
check_eq "dummy: status" 0 "$rc"
check_out "dummy: result on standard output" "$RESULT_DE"
check_eq "dummy: nothing on standard error" "" "$(cat "$work/run.err")"
check "dummy: turns to 139.74 (within 0.5°)" wait_until 60 stands_at "$rot_port" 139.74

start_rotctld min_az=0,max_az=90
run --rotator "127.0.0.1:$rot_port" "$HIDDEN_L"
check_failure "range 0..90" "Die Richtung 139,74° liegt außerhalb des Drehbereichs des Rotors auf 127.0.0.1:$rot_port (0,00° bis 90,00°)."
check "range 0..90: the dummy did not move" stands_at "$rot_port" 0

run --rotator "127.0.0.1:$("$stub" free-port)" "$HIDDEN_L"
check_failure "nothing listening" "Verbindung abgelehnt"
check "nothing listening: ends before the 3 s limit ($took ms)" [ "$took" -le 2500 ]

start_stub silent
run --rotator "127.0.0.1:$stub_port" "$HIDDEN_L"
check_failure "never answers" "antwortet nicht: keine Antwort innerhalb von 3 s"
check "never answers: ends after the 3 s limit ($took ms)" test "$took" -ge 2900 -a "$took" -le 6000

# A run that beeps (a four-character locator) is done by the Qt front end;
# the antenna turns once, after the result is out.
start_stub answer
run --rotator "127.0.0.1:$stub_port" 'L;JO62;KM38mm;;;V-'
check_eq "beeping run: status" 0 "$rc"
check_out "beeping run: result on standard output" "$RESULT_DE"
check_eq "beeping run: the antenna turned once" "P 139.74 0.00" "$(grep '^P' "$stub_log")"

# Under a German locale the C library writes 139,74; the wire must not.
locale_dir=$work/locale
mkdir -p "$locale_dir"
localedef -i de_DE -f UTF-8 "$locale_dir/de_DE.UTF-8" 2>/dev/null
[ -e "$locale_dir/de_DE.UTF-8" ] || { echo "FAIL - localedef could not build de_DE.UTF-8 (package locales)"; exit 1; }
start_stub answer
# The locale is set for the program alone (bash itself cannot load it).
pelvorn=$program program=env
run LOCPATH="$locale_dir" LC_ALL=de_DE.UTF-8 "$pelvorn" --rotator "127.0.0.1:$stub_port" "$HIDDEN_L"
program=$pelvorn
check_eq "German locale: status" 0 "$rc"
check_out "German locale: result with commas" "$RESULT_DE"
check_eq "German locale: the wire carries a point" "P 139.74 0.00" "$(grep '^P' "$stub_log")"

# The settings file, and the command line overriding it.
start_stub answer
mkdir -p "$XDG_CONFIG_HOME/pelvorn"
printf '[General]\nx=1\n\n[Rotator]\nAddress=127.0.0.1:%s\n' "$stub_port" >"$XDG_CONFIG_HOME/pelvorn/Pelvorn.conf"
run "$HIDDEN_L"
check_eq "settings file: status" 0 "$rc"
check_eq "settings file: the rotator turned" "P 139.74 0.00" "$(grep '^P' "$stub_log")"
file_log=$stub_log
start_stub answer
run --rotator "127.0.0.1:$stub_port" "$HIDDEN_L"
check_eq "command line over the file: status" 0 "$rc"
check_eq "command line over the file: its rotator turned" "P 139.74 0.00" "$(grep '^P' "$stub_log")"
check_eq "command line over the file: the file's did not" 1 "$(grep -c '^P' "$file_log")"

printf '[Rotator]\nAddress=\n' >"$XDG_CONFIG_HOME/pelvorn/Pelvorn.conf"
run "$HIDDEN_L"
check_eq "empty address in the file: no rotator, status" 0 "$rc"
check_eq "empty address in the file: nothing on standard error" "" "$(cat "$work/run.err")"

printf '[Rotator]\nAddress=rotor:99999\n' >"$XDG_CONFIG_HOME/pelvorn/Pelvorn.conf"
run "$HIDDEN_L"
check_failure "bad address in the file" "Ungültige Rotor-Adresse „rotor:99999“"
rm "$XDG_CONFIG_HOME/pelvorn/Pelvorn.conf"

set_clipboard vorher
run --rotator "$HIDDEN_L"
check_eq "--rotator without an address: status 4" 4 "$rc"
check_out "--rotator without an address: nothing computed" ""
check "--rotator without an address: says so" grep -qF "Ungültige Rotor-Adresse „L;JO62mm;KM38mm;;;V-“" "$work/run.err"
check_eq "--rotator without an address: clipboard untouched" "vorher|" "$(clipboard)"

run --help
check "--help names the option" grep -qF -- "--rotator RECHNER[:PORT]" "$work/run.out"
check "--help names status 4" grep -qE "^  4  " "$work/run.out"
finish
