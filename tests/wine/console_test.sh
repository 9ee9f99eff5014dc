#!/bin/bash
# Pelvorn.exe from a console under Wine, where Windows differs from Linux
# (tests/cli has the rest): standard streams in binary mode (CR LF and
# ISO-8859-1 read and written byte for byte), the German decimal separator
# of the Windows number format (the English one: the scenarios), the command
# line of cmd.exe, a read-only OUT, --fix over the log itself (the writer
# of every corrected copy); Winsock's refusal in German and the rotator of
# the settings file in AppData (the window turns Hamlib's dummy through
# Winsock: rotator_window_test.sh); PstRotator over UDP; and --follow through Winsock, ended by
# Ctrl+C. The expected bytes are those of the Linux program.
# Usage: console_test.sh PROGRAM (tests/wine/Pelvorn.sh)
. "$(dirname "$0")/../rotator/rotator_lib.sh" "$1" "$(dirname "$0")/free_port.sh"
wine_sh=$(realpath "$(dirname "$0")/wine.sh")
send=$(realpath "$(dirname "$0")/../follow/send_datagrams.py")
mixed_log=$(realpath "$(dirname "$0")/../map/mixed-log.adi")
program=$(realpath "$program")
command -v script >/dev/null || { echo "FAIL - script is missing (Debian package bsdutils)"; exit 1; }
start_xvfb
"$wine_sh" cmd /c exit
cd "$work" || exit 1
windows_work=Z:${work//\//\\}
# cmd_file LINE: runs LINE as typed in cmd.exe (in a batch file, so that no
# shell quoting comes between), in the program's folder; its output in $out.
cmd_file() {
  printf '@echo off\r\ncd /d "%s"\r\n%s\r\n' "Z:${PELVORN_EXE%/*}" "$1" >"$work/run.cmd"
  out=$(LANG=$PLANG timeout -s KILL 20 "$wine_sh" cmd /c "$windows_work\\run.cmd" 2>/dev/null)
}

printf 'L;JO62mm;KM38mm\r\nL;jo6;KM38mm\r\n\nX;1;2\nG;52.5;38.5;13;27\r\nL;JO62MM;JO62MM' >mixed.txt
batch_de=$(printf '1892,585 km/139,74 °\n\n\n\n1892,82 km/139,73 °\n0,0 km/90,0 °\n')
batch_err='-:2: MeinLocator: Locator zu kurz: "jo6"
-:3: leere Zeile
-:4: Falsche Parameterbezeichnung "X": Es ist nur L oder G möglich!'
run --batch <mixed.txt
# The status and both streams byte for byte, each line ending in a bare LF.
check_eq "batch from standard input" "1:$batch_de"$'\n'":$batch_err"$'\n'":" \
  "$rc:$(cat run.out; printf :)$(cat run.err; printf :)"
# cmd.exe hands the text over as typed; the program splits it as a console
# program's C runtime would, quotes removed.
cmd_file 'Pelvorn.exe  --tsv "L;JO62mm;KM38mm"'
check_eq "cmd.exe: --tsv for one pair, quoted" "$(printf 'JO62MM\tKM38MM\t1892.585\t139.74\t38116.565\t319.74\t1894')" "$out"

# --- ADIF: the report of a path typed in cmd.exe; the copy with DISTANCE
# over the log itself, which Windows renames only once the log is closed.
printf 'Test\r\n<ADIF_VER:5>3.1.4<eoh>\r\n%s\r\n%s\r\n%s\r\n' \
  '<call:4>W1AW<qso_date:8>20260101<gridsquare:6>FN31pr<eor>' \
  '<CALL:5>DL1AB<QSO_DATE:8>20260102<GRIDSQUARE:8>JO62QM45<DISTANCE:4>27.5<EOR>' \
  '<CALL:5>G4ABC<QSO_DATE:8>20260103<GRIDSQUARE:6>IO91WM<DISTANCE:3>123<COMMENT:3>'$'\xf6\xe4\xfc''<EOR>' >log.adi
cmd_file "Pelvorn.exe --adif \"$windows_work\\log.adi\" --own JO62mm"
check_eq "cmd.exe: --adif, the path as typed" "$windows_work\\log.adi:1: W1AW 20260101: DISTANCE fehlt; berechnet 6203.104 km" \
  "$(head -n 1 <<<"$out")"
# A read-only OUT is refused, as Windows' own tools refuse it, and stays.
printf 'alt\r\n' >readonly.adi
chmod 444 readonly.adi
run --adif log.adi --own JO62mm --fix readonly.adi
check_eq "adif --fix: a read-only OUT" "2:Pelvorn: readonly.adi: die Datei ist schreibgeschützt; nichts geschrieben:alt 444" \
  "$rc:$(cat run.err):$(tr -d '\r' <readonly.adi) $(stat -c %a readonly.adi)"
for device in NUL COM1 nul.txt; do  # a device is never renamed over
  run --adif log.adi --fix $device
  check_eq "adif --fix $device" "2:Pelvorn: $device: ist keine gewöhnliche Datei; nichts geschrieben" "$rc:$(cat run.err)"
done
cp log.adi same.adi
run --adif same.adi --own JO62mm --fix same.adi --overwrite
check_eq "adif --fix over the log itself: status 1, no temporary file left" "1:" "$rc:$(ls | grep pelvorn-)"
check "adif --fix: DISTANCE written, every other byte kept (CR LF, ISO-8859-1)" cmp same.adi <(sed \
  's/FN31pr<eor>/FN31pr<DISTANCE:8>6203.104<eor>/; s/<DISTANCE:4>27.5/<DISTANCE:6>22.260/; s/<DISTANCE:3>123/<DISTANCE:7>906.018/' log.adi)

# --- the rotator
run --rotator "127.0.0.1:$("$stub" free-port)" "$HIDDEN_L"
check_eq "rotator: nothing listening, status 4 and the line all the same" "4:$RESULT_DE" "$rc:$(cat run.out)"
check "rotator: nothing listening, a German message" grep -qF 'Verbindung abgelehnt' run.err

# The settings file: the rotator of a plain command line (the option wins
# and a missing file means no rotator as on Linux: tests/rotator).
appdata=$PELVORN_WINEPREFIX/drive_c/users/$(id -un)/AppData/Roaming
refused=$("$stub" free-port)
mkdir -p "$appdata/pelvorn"
printf '[Rotator]\r\nAddress=127.0.0.1:%s\r\n' "$refused" >"$appdata/pelvorn/Pelvorn.ini"
run "$HIDDEN_L"
check_eq "settings file: its rotator turns for a plain command line, status 4 naming its port" "4:1" \
  "$rc:$(grep -cF "127.0.0.1:$refused" run.err)"
rm -r "$appdata/pelvorn"

# --- --map: the same bytes as the Linux program (tests/map/map_test.py pins
# the same digests there; after a change of the picture take them anew from
# LANG=de_DE.UTF-8 build/Pelvorn --map OUT --size 300 'L;JO62mm;KM38mm', and
# with --adif tests/map/mixed-log.adi instead of the pair).
run --map map.png --size 300 "L;JO62mm;KM38mm"
run --map map.svg --size 300 "L;JO62mm;KM38mm"
cp "$mixed_log" mixed.adi
run --adif mixed.adi --map log.png --size 300
run --adif mixed.adi --map log.svg --size 300
check_eq "map: PNG and SVG byte for byte the Linux program's, of a pair and of a log" \
  "97112a21953bceb28a16cee8977c658e6ede18b4bb43635f4489e7380ad71ff2 f7d0c27f1d119744294560105e98cd577a0530fc04e4a26c7b90a9b2efae3ec6 674918545ec0f5c52670aa0a560d9989c45cbe011f05c26e7b1c2656555cf888 26fc39bbcdb776ee39cd6049f7e00e6a161fe3872c1e9a078d651d974a89b0d9" \
  "$(sha256sum map.png map.svg log.png log.svg | cut -d' ' -f1 | paste -sd' ')"

# --- --adif --kml: the same bytes as the Linux program (tests/cli/kml_test.py pins the same digest).
printf '<EOH>\r\n<CALL:3>KL7<MY_GRIDSQUARE:6>JO62MM<GRIDSQUARE:6>AP43DT<EOR>\r\n<CALL:4>DL\xe9<<GRIDSQUARE:6>KM38MM<ANT_PATH:1>L<QSO_DATE:8>20260101<BAND:3>20m<MODE:3>FT8<EOR>\r\n' >dl.adi
run --adif dl.adi --own JO62mm --kml dl.kml
check_eq "kml: byte for byte the Linux program's" "0:4c14170dded5179a0d877095199ebffb95ea60cccb850acaa0a244aba7bf7880" "$rc:$(sha256sum <dl.kml | cut -d' ' -f1)"

# PstRotator over Winsock's UDP: the turn counts once the stand-in answers
# that it turns; then stopped.
start_pst answer
run --rotator "$pst" "$HIDDEN_L"
check_eq "PstRotator: the turn taken, status 0 and the line" "0:$RESULT_DE" "$rc:$(cat run.out)"
check "PstRotator: turned to 139.7" grep -qxF "<PST><AZIMUTH>139.7</AZIMUTH></PST>" "$pst_log"
run --rotator "$pst" --stop
check_eq "PstRotator: --stop" "0:Pelvorn: Antenne angehalten." "$rc:$(tr -d '\r' <run.err)"

# --- --follow with the datagrams of the Linux test, on a terminal of its own
# (Wine turns SIGINT there into the console's Ctrl+C), output to files.
port=$(python3 -c 'import socket; s = socket.socket(socket.AF_INET, socket.SOCK_DGRAM); s.bind(("127.0.0.1", 0)); print(s.getsockname()[1])')
LANG=$PLANG script -qfc "'$program' --follow 127.0.0.1:$port >follow.out 2>follow.err; echo \$? >status" /dev/null \
  </dev/null >/dev/null 2>&1 &
check "follow: listens" wait_until 60 grep -qF "Warte auf WSJT-X an 127.0.0.1:$port (Ende mit Strg+C)" follow.err || finish
"$send" "$port" GARBAGE GARBAGE STATUS:K1ABC:KM38 STATUS:K1ABC:JO20
check "follow: two lines" wait_until 10 eval '[ "$(grep -c . follow.out)" -ge 2 ]'
check_eq "follow: the lines, as on Linux" "1892,585 km/139,74 ° K1ABC|595,797 km/251,28 ° K1ABC" "$(paste -sd'|' follow.out)"
exe=$(pgrep -u "$(id -u)" -f "Pelvorn.exe --follow 127.0.0.1:$port" | head -n 1)
check "follow: Ctrl+C for Pelvorn.exe" kill -INT "${exe:-none}"
check_eq "follow: Ctrl+C ends it with status 0" 0 "$(wait_until 10 test -s status && cat status)"
check "follow: the bad datagrams counted" grep -qxF "Pelvorn: 2 unlesbare Datagramme übersprungen" follow.err
finish
