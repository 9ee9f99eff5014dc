#!/bin/bash
# The console tools of the built program ($1): --batch, --tsv, --edi and
# --adif with --fix, run as a script runs them, without any display.
. "$(dirname "$0")/../e2e/lib.sh"
unset LANG

# --- batch: one output line per input line, messages with their line numbers
# (the lines and their messages, an unreadable input: the BatchRun tests in tests/core)
printf 'L;JO62mm;KM38mm\r\nL;jo6;KM38mm\r\n\nX;1;2\nG;52.5;38.5;13;27\r\nL;JO62MM;JO62MM' >"$work/mixed.txt"
printf 'L;JO62mm;KM38mm\n' >"$work/good.txt"
"$program" --batch "$work/good.txt" "$work/mixed.txt" >"$work/out" 2>"$work/err"
check_eq "files in order" 7 "$(wc -l <"$work/out")"
check_eq "messages name the file" "$work/mixed.txt:2: MeinLocator: Locator zu kurz: \"jo6\"" "$(head -1 "$work/err")"

# A locale outside the program's table: the C library's data where the
# locale is installed (here through LOCPATH); else the C locale's point
# (EnvironmentLocale's table in tests/window).
mkdir "$work/locales"
if localedef -i fr_FR -f UTF-8 "$work/locales/fr_FR.UTF-8" >/dev/null 2>&1; then
  out=$(printf 'L;JO62mm;KM38mm\n' | LOCPATH=$work/locales LC_ALL=fr_FR.UTF-8 "$program" --batch)
  check_eq "an installed locale outside the table: its decimal separator" "1892,585 km/139,74 °" "$out"
else
  echo "skip - localedef cannot build fr_FR.UTF-8 (package locales)"
fi

# A running copy (its shared lock held) refuses no console tool, and none
# needs a display.
exec 9>"$XDG_RUNTIME_DIR/pelvorn.lock"
flock -s 9
"$program" --batch <"$work/good.txt" >"$work/out" 2>"$work/err" 9>&-
check_eq "all lines with a result give 0, beside a running copy" "0:1892.585 km/139.74 °:" "$?:$(cat "$work/out"):$(cat "$work/err")"
exec 9>&-

"$program" --batch "$work/good.txt" >/dev/full 2>"$work/err"
check_eq "an output that cannot be written gives 2" "2:Pelvorn: Ausgabe kann nicht geschrieben werden" "$?:$(cat "$work/err")"
# An endless input: only a run that stops when its reader goes away ends.
yes 'L;JO62MM;KM38MM' | timeout 60 "$program" --batch 2>/dev/null | head -1 >/dev/null
check_eq "a reader that went away ends the run" 2 "${PIPESTATUS[1]}"

# --- TSV: its bytes, its refusals and exit statuses are ConsoleStart.WhatEachCommandLineStarts.
# --- EDI check and corrected copy (a log of station JO65FR with one QSO, CR LF;
# the check itself: tests/core/EdiLogTest.cpp)
edi() {  # edi POINTS
  printf '%s\r\n' '[REG1TEST;1]' 'PCall=OZ9ZZZ' 'PWWLo=JO65FR' 'CQSOs=1;1' "CQSOP=$1" "CODXC=DL1XYZ;JO62MM;$1" \
    '[QSORecords;1]' "261205;1405;DL1XYZ;1;59;002;59;014;;JO62MM;$1;;N;;"
}
edi 359 >"$work/good.edi"
edi 358 >"$work/off.edi"
"$program" --edi "$work/good.edi" >"$work/report" 2>&1
check_eq "a matching log gives 0" 0 $?

before=$(sha256sum <"$work/off.edi")
"$program" --fix "$work/fixed.edi" --edi "$work/off.edi" >"$work/report" 2>&1
check_eq "a differing log gives 1" 1 $?
check "the corrected copy differs only in points, CQSOP and CODXC, CR LF kept" cmp "$work/fixed.edi" "$work/good.edi"
check_eq "the log itself is unchanged" "$before" "$(sha256sum <"$work/off.edi")"
(umask 027; "$program" --edi "$work/off.edi" --fix "$work/new.edi" >/dev/null)
printf 'alt\n' >"$work/old.edi"
chmod 604 "$work/old.edi"
"$program" --edi "$work/off.edi" --fix "$work/old.edi" >/dev/null
check_eq "a new copy has the mode of any new file, a replaced one keeps its mode" "640 604" \
  "$(stat -c %a "$work/new.edi") $(stat -c %a "$work/old.edi")"

"$program" --edi "$work/off.edi" --fix "$work/off.edi" >/dev/null 2>&1
check_eq "the log is never its own copy" "2:$before" "$?:$(sha256sum <"$work/off.edi")"
"$program" --edi "$work/off.edi" --fix "$work/no/such/dir/fixed.edi" >/dev/null 2>&1
check_eq "an unwritable copy gives 2" 2 $?
check_eq "and leaves no file" "" "$(find "$work/no" 2>/dev/null)"

# What is no log file at all (an empty one: EdiLog.WhatIsNoCheckableLog).
mkfifo "$work/fifo.edi"
for row in "$work/fifo.edi|ist keine gewöhnliche Datei" "$work|ist ein Verzeichnis" \
           "$work/missing.edi|Datei oder Verzeichnis nicht gefunden"; do
  timeout 10 "$program" --edi "${row%%|*}" >/dev/null 2>"$work/err"
  check_eq "--edi ${row%%|*}" "2:Pelvorn: ${row%%|*}: ${row#*|}" "$?:$(cat "$work/err")"
done

# --- ADIF log check, TSV and copy with DISTANCE, on excerpts of three real logs
adif_logs=$(dirname "$0")/adif
for name in n3fjp-excerpt lotw-excerpt skcc-logger; do
  log=$adif_logs/$name.adi
  check "$name: readable" test -r "$log" || continue
  "$program" --adif "$log" >"$work/report" 2>"$work/err"
  check_eq "$name: the check runs without error (status 1: DISTANCE missing)" "1:" "$?:$(cat "$work/err")"
  "$program" --adif "$log" --fix "$work/$name.adi" >/dev/null 2>&1
  check_eq "$name: --fix writes its copy" 1 $?
  check "$name: the copy differs from the log only in DISTANCE fields" \
    cmp -s <(sed 's/<DISTANCE:[0-9]*>[0-9.]*//g' "$work/$name.adi") "$log"
  "$program" --adif "$work/$name.adi" >"$work/report" 2>&1
  check_eq "$name: the copy's DISTANCE fields agree" "DISTANCE fehlt: 0|DISTANCE weicht ab: 0" \
    "$(grep -o 'DISTANCE fehlt: [0-9]*\|DISTANCE weicht ab: [0-9]*' "$work/report" | paste -sd'|')"
done
# A log of our own: header, 8- and 12-character locators, lat/lon, the long
# path, a disagreeing DISTANCE, CR LF and non-ASCII bytes kept.
printf 'Test\xe4\r\n<ADIF_VER:5>3.1.4<eoh>\r\n%s\r\n%s\r\n%s\r\n%s\r\n%s\r\n' \
  '<call:4>W1AW<qso_date:8>20260101<my_gridsquare:8>jo62mm45<gridsquare:8>KM38MM45<gridsquare_ext:4>AB12<eor>' \
  '<CALL:5>DL1AB<QSO_DATE:8>20260102<LAT:11>N052 30.000<LON:11>E013 00.000<ANT_PATH:1>L<EOR>' \
  '<CALL:5>G4ABC<QSO_DATE:8>20260103<GRIDSQUARE:6>IO91WM<DISTANCE:3>123<COMMENT:3>\xf6\xe4\xfc<EOR>' \
  '<CALL:5>OZ1AB<QSO_DATE:8>20260104<GRIDSQUARE:4>JO65<DISTANCE:3:N>646<EOR>' \
  '<CALL:5>SM7BB<QSO_DATE:8>20260105<EOR>' >"$work/own.adi"
"$program" --own JO62mm --adif "$work/own.adi" >"$work/report" 2>"$work/err"
check_eq "own log: report" "1:$work/own.adi:1: W1AW 20260101: DISTANCE fehlt; berechnet 1892.561 km
$work/own.adi:2: DL1AB 20260102: DISTANCE fehlt; berechnet 40005.503 km
$work/own.adi:3: G4ABC 20260103: DISTANCE 123 weicht ab; berechnet 906.018 km
$work/own.adi:4: OZ1AB 20260104: DISTANCE 646 weicht ab; berechnet 333.410 km
$work/own.adi:5: SM7BB 20260105: keine Position der Gegenstation (GRIDSQUARE oder LAT/LON)
QSOs: 5
  berechenbar: 4
  DISTANCE fehlt: 2
  DISTANCE weicht ab: 2
  ohne Position: 1
Weiteste Verbindung: DL1AB 20260102 40005.503 km:" "$?:$(cat "$work/report"):$(cat "$work/err")"
LC_ALL=de_DE.UTF-8 "$program" --tsv --own=JO62mm --adif=- <"$work/own.adi" >"$work/out" 2>"$work/err"; status=$?
check_eq "own log: TSV from standard input, point in every locale" "1:$(printf '%s\n' \
  $'Rufzeichen\tDatum\tMeinLocator\tFremdLocator\tEntfernung_km\tRichtung_Grad\tLangweg_km\tLangweg_Richtung_Grad' \
  $'W1AW\t20260101\tJO62MM45\tKM38MM45AB12\t1892.561\t139.75\t38116.589\t319.75' \
  $'DL1AB\t20260102\tJO62MM\tN052 30.000 E013 00.000\t3.647\t230.61\t40005.503\t50.61' \
  $'G4ABC\t20260103\tJO62MM\tIO91WM\t906.018\t268.19\t39103.132\t88.19' \
  $'OZ1AB\t20260104\tJO62MM\tJO65\t333.410\t0.00\t39675.740\t180.00' \
  $'SM7BB\t20260105\tJO62MM\t\t\t\t\t'):-:5: SM7BB 20260105: keine Position der Gegenstation (GRIDSQUARE oder LAT/LON)" \
  "$status:$(cat "$work/out"):$(cat "$work/err")"
cp "$work/own.adi" "$work/same.adi"
"$program" --adif "$work/same.adi" --own JO62mm --fix "$work/same.adi" --overwrite >"$work/report" 2>&1
check_eq "--fix over the log itself with --overwrite" "1:Kopie geschrieben: $work/same.adi (DISTANCE eingetragen: 2, ersetzt: 2)" \
  "$?:$(tail -1 "$work/report")"

# --fix through a symbolic link: the file behind it replaced, the link kept.
mkdir "$work/data" && cp "$work/own.adi" "$work/data/log.adi" && printf 'alt\n' >"$work/data/k.edi"
ln -s data/log.adi "$work/link.adi"; ln -s data/k.edi "$work/k.edi"; ln -s nowhere "$work/dangling.adi"
"$program" --adif "$work/link.adi" --own JO62mm --fix "$work/link.adi" >/dev/null 2>&1
"$program" --edi "$work/off.edi" --fix "$work/k.edi" >/dev/null 2>&1
check_eq "--fix through links" "symbolic link:symbolic link:4:$(sha256sum <"$work/good.edi")" \
  "$(stat -c %F "$work/link.adi" "$work/k.edi" | paste -sd:):$(grep -o '<DISTANCE' "$work/data/log.adi" | wc -l):$(sha256sum <"$work/data/k.edi")"
"$program" --adif "$work/own.adi" --fix "$work/dangling.adi" >/dev/null 2>"$work/err"
check_eq "--fix to a link that leads nowhere" "2:Pelvorn: $work/dangling.adi: ist ein symbolischer Verweis auf eine Datei, die es nicht gibt; nichts geschrieben:nowhere" \
  "$?:$(cat "$work/err"):$(readlink "$work/dangling.adi")"
"$program" --adif "$work/own.adi" --fix "" >/dev/null 2>"$work/err"
check_eq "--fix with an empty name" "2:Pelvorn: --fix mit leerem Dateinamen" "$?:$(cat "$work/err")"
# Without /proc the copy is named from the start; root keeps a file's owner.
cp "$work/own.adi" "$work/owned.adi"
if unshare -m true 2>/dev/null && chown 65534:65534 "$work/owned.adi"; then
  # A sanitized build complains without /proc; its lines (==PID==) are not ours.
  ASAN_OPTIONS=detect_leaks=0 unshare -m sh -c 'umount -l /proc && exec "$0" --adif "$1" --own JO62mm --fix "$1"' \
    "$program" "$work/owned.adi" >/dev/null 2>"$work/err"
  check_eq "--fix without /proc, as root over another user's file" "1::4:65534:65534:" \
    "$?:$(grep -v '^==[0-9]*==' "$work/err"):$(grep -o '<DISTANCE' "$work/owned.adi" | wc -l):$(stat -c %u:%g "$work/owned.adi"):$(ls "$work" | grep pelvorn-)"
else echo "skip - not root: --fix without /proc and the kept owner are not tested"; fi
# A record of a 16 MiB CALL: memory stays within 64 MB, the copy too.
head -c 16777000 /dev/zero | tr '\0' K | sed '1s/^/<CALL:16777000>/; $s/$/<GRIDSQUARE:4>KM38<EOR>/' >"$work/huge.adi"
# (A sanitized build would count the freed memory it keeps in quarantine.)
ASAN_OPTIONS=${ASAN_OPTIONS:+$ASAN_OPTIONS:}quarantine_size_mb=0 \
  /usr/bin/time -f %M -o "$work/peak" "$program" --adif "$work/huge.adi" --own JO62mm --fix "$work/huge-fixed.adi" >/dev/null 2>&1
check "a 16 MiB field: at most 64 MB ($(cat "$work/peak") KB)" test "$(tail -1 "$work/peak")" -le 65536
cp "$work/own.adi" "$work/lost.adi"
"$program" --adif "$work/lost.adi" --own JO62mm --fix "$work/lost.adi" >/dev/full 2>"$work/err"
check_eq "--fix with an unwritable output" "1:Pelvorn: Ausgabe kann nicht geschrieben werden; die Kopie $work/lost.adi ist geschrieben:4" \
  "$?:$(cat "$work/err"):$(grep -o '<DISTANCE' "$work/lost.adi" | wc -l)"
printf '<CALL:7>K\xd6\e[2JA<QSO_DATE:3>\e[2<EOR>' >"$work/latin.adi"
"$program" --adif "$work/latin.adi" --own JO62mm >"$work/out" 2>&1
check_eq "a Latin-1 call and escape sequences in a message" "$work/latin.adi:1: KÖA : keine Position der Gegenstation (GRIDSQUARE oder LAT/LON)" "$(head -1 "$work/out")"

# Broken logs: FILE:RECORD: reason, status 2, and --fix writes nothing.
good='<CALL:4>W1AW<MY_GRIDSQUARE:4>JO62<GRIDSQUARE:4>KM38<EOR>'
printf 'alt\n' >"$work/keep.adi"
for row in "$good$good<CALL:4>W1AW|3: <EOR> fehlt am Ende des Datensatzes" \
           "L;JO62MM;KM38MM| keine ADIF-Datei (kein Feld <NAME:LÄNGE>, kein <EOH>, kein <EOR>)"; do
  printf '%s' "${row%%|*}" >"$work/bad.adi"
  "$program" --adif "$work/bad.adi" >/dev/null 2>"$work/err"
  check_eq "broken log: ${row#*|}" "2:Pelvorn: $work/bad.adi:${row#*|}" "$?:$(cat "$work/err")"
  "$program" --adif "$work/bad.adi" --fix "$work/keep.adi" >/dev/null 2>"$work/err"
  check_eq "and --fix writes nothing" "2:alt:Pelvorn: $work/bad.adi:${row#*|}; nichts geschrieben:" \
    "$?:$(cat "$work/keep.adi"):$(cat "$work/err"):$(ls "$work" | grep pelvorn-)"
done
yes '<CALL:4>W1AW<MY_GRIDSQUARE:2>JO<GRIDSQUARE:2>KM<EOR>' | timeout 60 "$program" --adif - 2>/dev/null | head -1 >/dev/null
check_eq "adif: an endless log whose reader went away ends the run" 2 "${PIPESTATUS[1]}"
# Only a regular file is replaced: never a FIFO or device by a rename.
mkfifo "$work/out.fifo"
"$program" --adif "$work/own.adi" --fix "$work/out.fifo" >/dev/null 2>"$work/err"
check_eq "adif --fix to a FIFO is refused, the FIFO stays" \
  "2:Pelvorn: $work/out.fifo: ist keine gewöhnliche Datei; nichts geschrieben:fifo" \
  "$?:$(cat "$work/err"):$(stat -c %F "$work/out.fifo" | grep -o fifo)"
"$program" --adif "$work/own.adi" --own JO6 >/dev/null 2>"$work/err"
check_eq "--own that is no locator" "2:Pelvorn: --own JO6: kein gültiger Locator (2 bis 12 Zeichen)" "$?:$(cat "$work/err")"
"$program" --adif "$work/own.adi" --overwrite >/dev/null 2>"$work/err"
check_eq "--overwrite without --fix" "2:Pelvorn: --overwrite nur zusammen mit --fix" "$?:$(head -1 "$work/err")"

# A log of 200,000 QSOs: a write that fails half-way leaves OUT as it was,
# so OUT is never written in place.
awk 'BEGIN { for (i = 0; i < 200000; i++) printf "<CALL:5>DL%03dX<QSO_DATE:8>20260101<MY_GRIDSQUARE:6>JO62MM<GRIDSQUARE:6>KM%02dMM<EOR>\r\n", i % 1000, i % 100 }' >"$work/big.adi"
mkdir "$work/full"
printf 'alt\n' >"$work/full/big.adi"
(ulimit -f 100; "$program" --adif "$work/big.adi" --fix "$work/full/big.adi" >/dev/null 2>"$work/err"; echo $? >"$work/status")
check_eq "ADIF: a write that fails half-way gives 2 and leaves OUT as it was" \
  "2:big.adi:alt:Pelvorn: $work/full/big.adi: Schreiben fehlgeschlagen: Datei zu groß; nichts geschrieben" \
  "$(cat "$work/status"):$(ls -A "$work/full"):$(cat "$work/full/big.adi"):$(cat "$work/err")"

finish
