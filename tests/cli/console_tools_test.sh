#!/bin/bash
# The console tools of the built program ($1): --batch, --tsv and --edi with
# --fix, run as a script runs them, without any display. Exit status 0 when
# every check passed, 1 otherwise.
set -u
program=$1
[ -x "$program" ] || { echo "FAIL - no program at $program"; exit 1; }
unset DISPLAY WAYLAND_DISPLAY LC_ALL LC_NUMERIC LANG
work=$(mktemp -d)
trap 'chmod -R u+w "$work"; rm -rf "$work"' EXIT
failed=0

check() {  # check NAME EXPECTED ACTUAL
  if [ "$2" == "$3" ]; then
    echo "ok   - $1"
  else
    echo "FAIL - $1"
    diff <(printf '%s\n' "$2") <(printf '%s\n' "$3") | head -20
    failed=1
  fi
}

# --- batch: one output line per input line, messages with their line numbers
printf 'L;JO62mm;KM38mm\r\nL;jo6;KM38mm\r\n\nX;1;2\nG;52.5;38.5;13;27\r\nL;JO62MM;JO62MM' >"$work/mixed.txt"
LC_ALL=de_DE.UTF-8 "$program" --batch <"$work/mixed.txt" >"$work/out" 2>"$work/err"
check "batch status with lines without result" 1 $?
check "batch output, one line per input line" "$(printf '1892,585 km/139,74 °\n\n\n\n1892,82 km/139,73 °\n0,0 km/90,0 °')" "$(cat "$work/out")"
check "batch output line count" 6 "$(wc -l <"$work/out")"
check "batch messages" '-:2: MeinLocator: Locator zu kurz: "jo6"
-:3: leere Zeile
-:4: Falsche Parameterbezeichnung "X": Es ist nur L oder G möglich!' "$(cat "$work/err")"

# Lone CR line ends are line ends; a byte order mark starts any input.
printf 'L;JO62mm;KM38mm\rL;JO65FR;IO91WM\rL;JO62mm;KM38mm\r' | LC_ALL=C "$program" --batch >"$work/out" 2>&1
check "lone CR: every pair, status 0" "0:1892.585 km/139.74 °|950.165 km/245.76 °|1892.585 km/139.74 °|" \
  "$?:$(tr '\n' '|' <"$work/out")"
printf '\xef\xbb\xbfL;JO62mm;KM38mm\r\n' >"$work/bom.txt"
LC_ALL=C "$program" --batch "$work/bom.txt" - <"$work/bom.txt" >"$work/out" 2>&1
check "byte order mark of each input skipped" "0:1892.585 km/139.74 °|1892.585 km/139.74 °|" "$?:$(tr '\n' '|' <"$work/out")"

printf 'L;JO62mm;KM38mm\n' >"$work/good.txt"
"$program" --batch "$work/good.txt" "$work/mixed.txt" "$work/missing.txt" >"$work/out" 2>"$work/err"
check "an unreadable input gives 2" 2 $?
check "files in order" 7 "$(wc -l <"$work/out")"
check "messages name the file" "$work/mixed.txt:2: MeinLocator: Locator zu kurz: \"jo6\"" "$(head -1 "$work/err")"
grep -q "^Pelvorn: $work/missing.txt: kann nicht gelesen werden" "$work/err"
check "missing file reported" 0 $?

# The default output line is the line a hidden run prints.
for line in 'L;JO62mm;KM38mm;;;V-' 'G;52,5;38,5;13;27;V-' 'l;jo62;rr99xx;;;V-' 'L;JO62MM;JO62MM;;;V-'; do
  hidden=$(LANG=de_DE.UTF-8 "$program" "$line" 2>/dev/null)
  batch=$(printf '%s\n' "$line" | LANG=de_DE.UTF-8 "$program" --batch)
  check "batch line as the hidden run prints it: $line" "${hidden:-hidden run without output}" "$batch"
done

# A locale outside the program's table: the C library's data where the
# locale is installed (here through LOCPATH), else the C locale's point.
mkdir "$work/locales"
if localedef -i fr_FR -f UTF-8 "$work/locales/fr_FR.UTF-8" >/dev/null 2>&1; then
  out=$(printf 'L;JO62mm;KM38mm\n' | LOCPATH=$work/locales LC_ALL=fr_FR.UTF-8 "$program" --batch)
  check "an installed locale outside the table: its decimal separator" "1892,585 km/139,74 °" "$out"
else
  echo "skip - localedef cannot build fr_FR.UTF-8 (package locales)"
fi
out=$(printf 'L;JO62mm;KM38mm\n' | LOCPATH=$work/locales LC_ALL=xx_YY.UTF-8 "$program" --batch)
check "a locale that is not installed: the point" "1892.585 km/139.74 °" "$out"

# A running copy (its shared lock held) refuses no console tool, and none
# needs a display.
export XDG_RUNTIME_DIR=$work/runtime
mkdir -m 700 "$XDG_RUNTIME_DIR"
exec 9>"$XDG_RUNTIME_DIR/pelvorn.lock"
flock -s 9
"$program" --batch <"$work/good.txt" >"$work/out" 2>"$work/err" 9>&-
check "all lines with a result give 0, beside a running copy" "0:1892.585 km/139.74 °:" "$?:$(cat "$work/out"):$(cat "$work/err")"
exec 9>&-

"$program" --batch "$work/good.txt" >/dev/full 2>"$work/err"
check "an output that cannot be written gives 2" "2:Pelvorn: Ausgabe kann nicht geschrieben werden" "$?:$(cat "$work/err")"
# An endless input: only a run that stops when its reader goes away ends.
yes 'L;JO62MM;KM38MM' | timeout 60 "$program" --batch 2>/dev/null | head -1 >/dev/null
check "a reader that went away ends the run" 2 "${PIPESTATUS[1]}"

# --- TSV: the same bytes in every locale
for i in $(seq 200); do printf 'L;JO62mm;FN20xr\nG;52.5;-38.25;13.125;-27\nL;jo6;x\n'; done >"$work/many.txt"
LC_ALL=de_DE.UTF-8 "$program" --batch --tsv "$work/many.txt" >"$work/de.tsv" 2>/dev/null
LC_ALL=C "$program" --tsv --batch <"$work/many.txt" >"$work/c.tsv" 2>/dev/null
cmp -s "$work/de.tsv" "$work/c.tsv"
check "German and C locale give the same TSV bytes" 0 $?
check "TSV header and lines" 601 "$(wc -l <"$work/de.tsv")"
check "TSV header" "$(printf 'MeinLocator\tFremdLocator\tEntfernung_km\tRichtung_Grad\tLangweg_km\tLangweg_Richtung_Grad\tContest_km')" "$(head -1 "$work/de.tsv")"

out=$(LC_ALL=de_DE.UTF-8 "$program" --tsv 'L;JO62mm;KM38mm'); status=$?
check "one pair as TSV" "0:$(printf 'JO62MM\tKM38MM\t1892.585\t139.74\t38116.565\t319.74\t1894')" "$status:$out"
out=$("$program" --tsv 'L;JO6;KM38mm' 2>"$work/err"); status=$?
check "one pair without result" "1:$(printf 'JO6\tKM38mm\t\t\t\t\t')" "$status:$out"
check "its reason" 'Pelvorn: MeinLocator: Locator zu kurz: "JO6"' "$(cat "$work/err")"
"$program" --batch --nonsense </dev/null >/dev/null 2>&1
check "unknown option" 2 $?
"$program" --tsv 'L;JO62mm;KM38mm' 'L;JO65FR;IO91WM' >"$work/out" 2>"$work/err"
check "--tsv with two pairs is refused" "2::Pelvorn: --tsv nimmt genau eine Befehlszeile; für mehrere: --batch --tsv" \
  "$?:$(cat "$work/out"):$(head -1 "$work/err")"

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
edi 359 1315 'G4ABC;IO91WM;951' >"$work/good.edi"
edi 358 1314 'DL1XYZ;JO62MM;358' >"$work/off.edi"
"$program" --edi "$work/good.edi" >"$work/report" 2>&1
check "a matching log gives 0" 0 $?
grep -q '^Zeile 15: SM7BBB: nicht prüfbar (Locator mit nur 4 Zeichen; mit der Mitte des Großfeldes (JO65MM' "$work/report"
check "the four-character locator is listed" 0 $?

before=$(sha256sum <"$work/off.edi")
"$program" --edi "$work/off.edi" --fix "$work/fixed.edi" >"$work/report" 2>&1
check "a differing log gives 1" 1 $?
grep -q '^Zeile 12: DL1XYZ JO62MM: beansprucht 358, berechnet 359$' "$work/report"
check "the differing QSO is listed" 0 $?
cmp "$work/fixed.edi" "$work/good.edi"
check "the corrected copy differs only in points, CQSOP and CODXC, CR LF kept" 0 $?
check "the log itself is unchanged" "$before" "$(sha256sum <"$work/off.edi")"
(umask 027; "$program" --edi "$work/off.edi" --fix "$work/new.edi" >/dev/null)
printf 'alt\n' >"$work/old.edi"
chmod 604 "$work/old.edi"
"$program" --edi "$work/off.edi" --fix "$work/old.edi" >/dev/null
check "a new copy has the mode of any new file, a replaced one keeps its mode" "640 604" \
  "$(stat -c %a "$work/new.edi") $(stat -c %a "$work/old.edi")"

"$program" --edi "$work/off.edi" --fix "$work/off.edi" >/dev/null 2>&1
check "the log is never its own copy" "2:$before" "$?:$(sha256sum <"$work/off.edi")"
"$program" --edi "$work/off.edi" --fix "$work/no/such/dir/fixed.edi" >/dev/null 2>&1
check "an unwritable copy gives 2" 2 $?
check "and leaves no file" "" "$(find "$work/no" 2>/dev/null)"
mkdir "$work/full"
{ for i in $(seq 40); do printf 'Anmerkung %02d: nur damit das Log groesser als ein Kilobyte wird.\r\n' "$i"; done; } >"$work/pad"
edi 358 1314 'DL1XYZ;JO62MM;358' | sed '/^\[Remarks\]/r '"$work/pad" >"$work/big.edi"
test "$(wc -c <"$work/big.edi")" -gt 2048 || echo "FAIL - the padded log is too small"
(ulimit -f 1; "$program" --edi "$work/big.edi" --fix "$work/full/fixed.edi" >/dev/null 2>"$work/err"
 echo $? >"$work/status")
check "a write that fails half-way gives 2" 2 "$(cat "$work/status")"
check "and leaves nothing in the directory" "" "$(ls -A "$work/full")"
check "and says so in German" "Pelvorn: $work/full/fixed.edi: Schreiben fehlgeschlagen: Datei zu groß; nichts geschrieben" \
  "$(cat "$work/err")"

# A log with an ERROR record (a serial number given, the QSO not completed)
# is a valid log, and --fix copies it.
edi 359 1315 'G4ABC;IO91WM;951' | sed 's/\[QSORecords;5\]/[QSORecords;6]/' >"$work/error.edi"
printf '261205;1445;ERROR;1;59;007;;;;;0;;;;\r\n' >>"$work/error.edi"
"$program" --edi "$work/error.edi" --fix "$work/error-fixed.edi" >"$work/report" 2>&1
check "a log with an ERROR record: status 0, copy written" "0:Korrigierte Kopie geschrieben: $work/error-fixed.edi" \
  "$?:$(tail -1 "$work/report")"
cmp -s "$work/error.edi" "$work/error-fixed.edi"
check "and the copy is the log" 0 $?

# What is no log file at all.
: >"$work/empty.edi"
mkfifo "$work/fifo.edi"
for row in "$work/empty.edi|die Datei ist leer" "$work/fifo.edi|ist keine gewöhnliche Datei" \
           "/dev/null|ist keine gewöhnliche Datei" "$work|ist ein Verzeichnis" \
           "$work/missing.edi|Datei oder Verzeichnis nicht gefunden"; do
  timeout 10 "$program" --edi "${row%%|*}" >/dev/null 2>"$work/err"
  check "--edi ${row%%|*}" "2:Pelvorn: ${row%%|*}: ${row#*|}" "$?:$(cat "$work/err")"
done

printf 'PCall=X\r\n' >"$work/not.edi"
"$program" --edi "$work/not.edi" >/dev/null 2>"$work/err"
check "no EDI log gives 2" "2:Pelvorn: $work/not.edi: kein EDI-Log: die erste Zeile ist nicht [REG1TEST;1]" "$?:$(cat "$work/err")"

exit $failed
