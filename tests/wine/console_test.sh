#!/bin/bash
# Pelvorn.exe from a console, under Wine: --help, --version, a bad
# --rotator, --batch from a file and through a pipe, --tsv for one pair,
# --edi with --fix (CR LF kept byte for byte), --adif with --tsv and --fix
# (over the log itself), and a hidden run that turns
# Hamlib's dummy rotator. The expected bytes are those the Linux program
# gives for the same input (tests/cli).
# Usage: console_test.sh PROGRAM (tests/wine/Pelvorn.sh)
. "$(dirname "$0")/../e2e/lib.sh"
wine_sh=$(realpath "$(dirname "$0")/wine.sh")
program=$(realpath "$program")
start_xvfb
"$wine_sh" cmd /c exit
command -v rotctld >/dev/null || { echo "FAIL - rotctld is missing (Debian package libhamlib-utils)"; exit 1; }
cd "$work" || exit 1

printf 'L;JO62mm;KM38mm\r\nL;jo6;KM38mm\r\n\nX;1;2\nG;52.5;38.5;13;27\r\nL;JO62MM;JO62MM' >mixed.txt
batch_de=$(printf '1892,585 km/139,74 °\n\n\n\n1892,82 km/139,73 °\n0,0 km/90,0 °\n')
batch_err='-:2: MeinLocator: Locator zu kurz: "jo6"
-:3: leere Zeile
-:4: Falsche Parameterbezeichnung "X": Es ist nur L oder G möglich!'
tsv_one=$(printf 'JO62MM\tKM38MM\t1892.585\t139.74\t38116.565\t319.74\t1894\n')

# name | language | standard input | arguments (one per line) | status | standard output | standard error
cases=(
  "--help|de_DE.UTF-8|/dev/null|--help|0|*--batch [--tsv]*|"
  "--version|de_DE.UTF-8|/dev/null|--version|0|Pelvorn*|"
  "batch from a file|de_DE.UTF-8|/dev/null|--batch
mixed.txt|1|$batch_de|${batch_err//-:/mixed.txt:}"
  "batch through a pipe|de_DE.UTF-8|mixed.txt|--batch|1|$batch_de|$batch_err"
  "batch, English number format|en_US.UTF-8|mixed.txt|--batch|1|${batch_de//,/.}|$batch_err"
  "tsv for one pair|de_DE.UTF-8|/dev/null|--tsv
L;JO62mm;KM38mm|0|$tsv_one|"
  "--rotator without an address|de_DE.UTF-8|/dev/null|--rotator
L;JO62mm;KM38mm;;;V-|4||Pelvorn: Ungültige Rotor-Adresse „L;JO62mm;KM38mm;;;V-“*"
)
for row in "${cases[@]}"; do
  IFS='|' read -r -d '' name PLANG input arguments status out err <<<"$row"
  err=${err%$'\n'}
  mapfile -t argv <<<"$arguments"
  run "${argv[@]}" <"$input"
  check_eq "$name: status" "$status" "$rc"
  # shellcheck disable=SC2053 # patterns on purpose
  [[ "$(cat "$work/run.out")" == $out ]]
  tally $? "$name: standard output" "got [$(head -c 300 "$work/run.out")]"
  [[ "$(cat "$work/run.err")" == $err ]]
  tally $? "$name: standard error" "got [$(head -c 300 "$work/run.err")]"
done
PLANG=de_DE.UTF-8
# Byte for byte, the final newline included.
run --batch <mixed.txt
check_eq "batch: the bytes of the Linux program" "$(printf '%s\n' "$batch_de" | od -c)" "$(od -c <"$work/run.out")"

# cmd.exe hands the text over as typed there (here in a batch file, so that
# no shell quoting comes between); the program splits it as a console
# program's C runtime would, quotes removed.
cmd_file() {  # cmd_file LINE: runs LINE in a batch file in the program's folder
  printf '@echo off\r\ncd /d "%s"\r\n%s\r\n' "Z:${PELVORN_EXE%/*}" "$1" >"$work/run.cmd"
  out=$(LANG=$PLANG timeout -s KILL 20 "$wine_sh" cmd /c "Z:${work//\//\\}\\run.cmd" 2>/dev/null)
}
cmd_file 'Pelvorn.exe  --tsv "L;JO62mm;KM38mm"'
check_eq "cmd.exe: --tsv for one pair, quoted" "$tsv_one" "$out"
cmd_file "Pelvorn.exe --batch < \"Z:${work//\//\\}\\mixed.txt\""
check_eq "cmd.exe: --batch with its input from a file" "$batch_de" "$out"

# --- EDI check and corrected copy (a log of station JO65FR, CR LF)
edi() {  # edi POINTS_BERLIN CQSOP CODXC
  printf '%s\r\n' '[REG1TEST;1]' 'TName=Test' 'PCall=OZ9ZZZ' 'PWWLo=JO65FR' 'CQSOs=4;1' "CQSOP=$2" "CODXC=$3" \
    '[Remarks]' 'Kein echtes Log; nur fuer den Test.' '[QSORecords;5]' \
    '261205;1402;OZ1ABC;1;59;001;59;001;;JO65FQ;5;;N;;' \
    "261205;1405;DL1XYZ;1;59;002;59;014;;JO62MM;$1;;N;;" \
    '261205;1410;G4ABC;2;599;003;599;120;;IO91WM;951;;N;;' \
    '261205;1420;OZ1ABC;1;59;004;59;002;;JO65FQ;0;;;;D' \
    '261205;1431;SM7BBB;1;59;006;59;011;;JO65;0;;;;'
}
edi 359 1315 'G4ABC;IO91WM;951' >good.edi
edi 358 1314 'DL1XYZ;JO62MM;358' >off.edi
run --edi good.edi
check_eq "edi: a matching log gives 0" 0 "$rc"
run --edi off.edi --fix fixed.edi
check_eq "edi: a differing log gives 1" 1 "$rc"
check "edi --fix: the corrected copy, CR LF byte for byte" cmp fixed.edi good.edi
# A read-only OUT is refused, as Windows' own tools refuse it.
printf 'alt\r\n' >readonly.edi
chmod 444 readonly.edi
run --edi off.edi --fix readonly.edi
check_eq "edi --fix: a read-only OUT gives 2" 2 "$rc"
check "edi --fix: says it is read-only" grep -qF 'readonly.edi: die Datei ist schreibgeschützt; nichts geschrieben' "$work/run.err"
check_eq "edi --fix: a read-only OUT stays as it was" "alt 444" "$(tr -d '\r' <readonly.edi) $(stat -c %a readonly.edi)"

# --- ADIF: the report, TSV and the copy with DISTANCE, the bytes of the
# Linux program (tests/cli); the copy over the log itself, which Windows
# renames only once the log is closed.
printf 'Test\r\n<ADIF_VER:5>3.1.4<eoh>\r\n%s\r\n%s\r\n%s\r\n%s\r\n%s\r\n' \
  '<call:4>W1AW<qso_date:8>20260101<gridsquare:6>FN31pr<eor>' \
  '<CALL:5>DL1AB<QSO_DATE:8>20260102<GRIDSQUARE:8>JO62QM45<DISTANCE:4>27.5<EOR>' \
  '<CALL:5>G4ABC<QSO_DATE:8>20260103<GRIDSQUARE:6>IO91WM<DISTANCE:3>123<COMMENT:3>'$'\xf6\xe4\xfc''<EOR>' \
  '<CALL:5>VK2XY<QSO_DATE:8>20260104<GRIDSQUARE:6>QF56OD<ANT_PATH:1>L<EOR>' \
  '<CALL:5>SM7BB<QSO_DATE:8>20260105<EOR>' >log.adi
adif_report='log.adi:1: W1AW 20260101: DISTANCE fehlt; berechnet 6203.104 km
log.adi:2: DL1AB 20260102: DISTANCE 27.5 weicht ab; berechnet 22.260 km
log.adi:3: G4ABC 20260103: DISTANCE 123 weicht ab; berechnet 906.018 km
log.adi:4: VK2XY 20260104: DISTANCE fehlt; berechnet 23900.624 km
log.adi:5: SM7BB 20260105: keine Position der Gegenstation (GRIDSQUARE oder LAT/LON)
QSOs: 5
  berechenbar: 4
  DISTANCE fehlt: 2
  DISTANCE weicht ab: 2
  ohne Position: 1
Weiteste Verbindung: VK2XY 20260104 23900.624 km'
run --adif log.adi --own JO62mm
check_eq "adif: status 1" 1 "$rc"
check_eq "adif: the report, byte for byte" "$(printf '%s\n' "$adif_report" | od -c)" "$(od -c <"$work/run.out")"
run --adif - --tsv --own JO62mm <log.adi
check_eq "adif --tsv from standard input" "$(printf '%s\n' \
  $'Rufzeichen\tDatum\tMeinLocator\tFremdLocator\tEntfernung_km\tRichtung_Grad\tLangweg_km\tLangweg_Richtung_Grad' \
  $'W1AW\t20260101\tJO62MM\tFN31PR\t6203.104\t295.88\t33806.046\t115.88' \
  $'DL1AB\t20260102\tJO62MM\tJO62QM45\t22.260\t89.27\t39986.890\t269.27' \
  $'G4ABC\t20260103\tJO62MM\tIO91WM\t906.018\t268.19\t39103.132\t88.19' \
  $'VK2XY\t20260104\tJO62MM\tQF56OD\t16108.526\t74.65\t23900.624\t254.65' \
  $'SM7BB\t20260105\tJO62MM\t\t\t\t\t' | od -c)" "$(od -c <"$work/run.out")"
sed 's/<DISTANCE:4>27.5/<DISTANCE:6>22.260/; s/<DISTANCE:3>123/<DISTANCE:7>906.018/; s/FN31pr<eor>/FN31pr<DISTANCE:8>6203.104<eor>/; s/L<EOR>/L<DISTANCE:9>23900.624<EOR>/' log.adi >expected.adi
cmd_file "Pelvorn.exe --adif \"Z:${work//\//\\}\\log.adi\" --own JO62mm"
check_eq "cmd.exe: --adif, the summary" "$(tail -6 <<<"$adif_report")" "$(tail -6 <<<"$out")"
check "cmd.exe: --adif, the path as typed" grep -qF "log.adi:5: SM7BB 20260105: keine Position" <<<"$out"
cp log.adi same.adi
run --adif same.adi --own JO62mm --fix same.adi --overwrite
check_eq "adif --fix over the log itself: status 1" 1 "$rc"
check "adif --fix: DISTANCE written, every other byte kept (CR LF, ISO-8859-1)" cmp same.adi expected.adi
check "adif --fix: no temporary file left" eval '[ -z "$(ls | grep pelvorn-)" ]'
printf '<CALL:4>W1AW<EOR><CALL:9>W1AW<EOR>' >bad.adi
run --adif bad.adi --fix log.adi
check_eq "adif: a broken log gives 2, FILE:RECORD: reason" \
  "2:Pelvorn: bad.adi:2: <EOR> fehlt am Ende des Datensatzes; nichts geschrieben" "$rc:$(cat "$work/run.err")"

# --- the rotator: Hamlib's dummy on 127.0.0.1, reached from Wine
free_port() { python3 -c 'import socket; s = socket.socket(); s.bind(("127.0.0.1", 0)); print(s.getsockname()[1])'; }
listening() { grep -q " 0100007F:$(printf %04X "$1") 00000000:0000 0A " /proc/net/tcp; }
azimuth() {
  local az
  exec 4<>"/dev/tcp/127.0.0.1/$1" || return 1
  echo p >&4
  read -r -t 3 az <&4
  exec 4>&-
  echo "${az%$'\r'}"
}
stands_at() {
  local az
  az=$(azimuth "$1") && [ -n "$az" ] && awk -v a="$az" -v t="$2" 'BEGIN { d = a - t; exit !(d <= 0.5 && d >= -0.5) }'
}
rot_port=$(free_port)
rotctld -m 1 -T 127.0.0.1 -t "$rot_port" >/dev/null 2>&1 &
rot_pid=$!
wait_until 5 listening "$rot_port" || { echo "FAIL - rotctld did not start"; exit 1; }
run --rotator "127.0.0.1:$rot_port" "$HIDDEN_L"
check_eq "rotator: hidden run, status" 0 "$rc"
check_out "rotator: hidden run, the line on standard output" "$RESULT_DE"
check "rotator: the dummy turns to 139.74" wait_until 60 stands_at "$rot_port" 139.74
kill "$rot_pid" 2>/dev/null
wait "$rot_pid" 2>/dev/null

run --rotator "127.0.0.1:$(free_port)" "$HIDDEN_L"
check_eq "rotator: nothing listening, status 4" 4 "$rc"
check_out "rotator: nothing listening, the line still on standard output" "$RESULT_DE"
check "rotator: nothing listening, a German message" grep -qF 'Verbindung abgelehnt' "$work/run.err"

# The settings file: the rotator of a plain command line; the option wins.
appdata=$PELVORN_WINEPREFIX/drive_c/users/$(id -un)/AppData/Roaming
refused=$(free_port)
mkdir -p "$appdata/pelvorn"
printf '[Rotator]\r\nAddress=127.0.0.1:%s\r\n' "$refused" >"$appdata/pelvorn/Pelvorn.ini"
run "$HIDDEN_L"
rc_file=$rc err_file=$(cat "$work/run.err")
run --rotator "127.0.0.1:$(free_port)" "$HIDDEN_L"
err_option=$(cat "$work/run.err")
rm -r "$appdata/pelvorn"
check_eq "settings file: its rotator turns for a plain command line, status 4" 4 "$rc_file"
check "settings file: the message names its port" grep -qF "127.0.0.1:$refused" <<<"$err_file"
check "settings file: --rotator overrides it" eval '! grep -qF "127.0.0.1:$refused" <<<"$err_option"'
run "$HIDDEN_L"
check_eq "no settings file: no rotator, status 0" 0 "$rc"
finish
