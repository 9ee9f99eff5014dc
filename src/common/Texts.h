#pragma once

#include <array>
#include <string_view>

// Every German text the program shows or prints, UTF-8, grouped by where it
// appears. "%1", "%2", … mark the values Fill (common/Text.h) puts in.
// The texts keep their wording to the byte, blanks and all.

namespace pelvorn::text {

// A line on the standard error output: %1 the message.
inline constexpr std::string_view ErrorLine = "Pelvorn: %1\n";
// A message about something: %1 what it is about (a field, a file, a step),
// %2 what is wrong.
inline constexpr std::string_view About = "%1: %2";

// --- The window ---------------------------------------------------------

// The caption the window was designed with; replaced at the first activation.
inline constexpr std::string_view DesignCaption = " Pelvorn V1.0 ";
// %1 the product name, %2 the version.
inline constexpr std::string_view WindowCaption = " %1  V %2";

// Control captions; "&" marks the access key.
inline constexpr std::string_view OwnLocatorLabel = "&Eigener Locator:";
inline constexpr std::string_view OwnLocatorBox = "Text1";
inline constexpr std::string_view ForeignLocatorLabel = "&Fremd - Locator:";
inline constexpr std::string_view ForeignLocatorBox = "Text2";
inline constexpr std::string_view CalculateButton = "&Rechnen";
inline constexpr std::string_view QuitButton = "&Beenden";
inline constexpr std::string_view DistanceHeading = "Entfernung (km)";
inline constexpr std::string_view DirectionHeading = "Richtung (°)";
inline constexpr std::string_view DistanceField = "Entfernung";
inline constexpr std::string_view DirectionField = "Richtung";
inline constexpr std::string_view InfoButton = "&?";

// The one-line result: %1 distance, %2 direction, as the fields show them.
inline constexpr std::string_view ResultLine = "%1 km/%2 °";
// A range ring on the map; %1 its km.
inline constexpr std::string_view MapRingLabel = "%1 km";

// A locator box the Calculate action refuses or completes; %1 the box text.
inline constexpr std::string_view LocatorTooShort = "Locator zu kurz: \"%1\"";
inline constexpr std::string_view LocatorInvalid = "Kein gültiger Locator: \"%1\"";
inline constexpr std::string_view LocatorCompleted = "Locator ergänzt: %1";

// --- Boxes --------------------------------------------------------------

// %1 the program's title.
inline constexpr std::string_view AlreadyRunningTitle = "%1 läuft bereits ";
inline constexpr std::string_view AlreadyRunningPrompt =
    "Das Programm zweimal zu aktivieren ist nicht ratsam. "
    "Wenn Sie diese Möglichkeit benötigen, so wenden Sie "
    "sich bitte an den Autor dieser Software.";

inline constexpr std::string_view WrongModeTitle = " Falsche Parameterbezeichnung ";
inline constexpr std::string_view OnlyLOrG = "Es ist nur L oder G möglich!";

// Degrees out of range.
inline constexpr std::string_view LongitudeWarningTitle = " Falsche Längegradeingabe !";
inline constexpr std::string_view LongitudeWarningPrompt = " ( max ±179,99999°\" ) ";
inline constexpr std::string_view LatitudeWarningTitle = " Falsche Breitengradeingabe !";
inline constexpr std::string_view LatitudeWarningPrompt = " ( max ±89,99999°\" ) ";

// The information box: its title, the head line (%1 product name,
// %2 version, %3 copyright) and the lines below it.
inline constexpr std::string_view InfoTitle = " Info ";
inline constexpr std::string_view InfoHeadLine = "%1 V %2 %3";
inline constexpr std::array<std::string_view, 23> InfoLines = {
    "",
    "Das Programm wird im Amateurfunk benötig und dient der Berechnung der ",
    "Entfernung und der Antennenrichtung zwischen zwei Locatoren (Standordkennungen). ",
    "Sind nur die ersten vier Zeichen des Locators bekannt (zbsp. aus einem Call-Buch), ",
    "so reicht es auch für eine grobe Berechnung aus. Das Starten des Programmes ist ",
    "auch mit einer Kommando - Zeile möglich :",
    "",
    "Locatoreingabe :",
    "",
    "Pelvorn L;MeinLocator;FremdLocator",
    "",
    "",
    "Gradeingabe (nördliche Breite, östliche Länge, dezimal) :",
    "",
    "Pelvorn G;MeinBreitenGrd;FremdBreitenGrd;MeinLängenGrd;FremdLängenGrd     ",
    "",
    "Beisp.: Pelvorn L;JO62mm;KM38mm",
    "",
    "",
    "Das Ergebnis wird auch in die Zwischenablage kopiert. Ein 6. Parameter mit V- ",
    "schaltet die Sichtbarkeit des Programms ab.",
    "",
    "Beisp.: Pelvorn L;JO62mm;KM38mm;;;V-",
};

struct CoordinateWarning {
  std::string_view title;
  std::string_view prompt;
};
// The warning for a longitude (or else a latitude) out of range.
constexpr CoordinateWarning CoordinateWarningFor(bool longitude) {
  return longitude ? CoordinateWarning{LongitudeWarningTitle, LongitudeWarningPrompt}
                   : CoordinateWarning{LatitudeWarningTitle, LatitudeWarningPrompt};
}

// --- The command line ---------------------------------------------------

// The fields of a command line, as the help and the console tools name them.
inline constexpr std::string_view OwnLocatorField = "MeinLocator";
inline constexpr std::string_view ForeignLocatorField = "FremdLocator";
inline constexpr std::string_view OwnLatitudeField = "MeinBreitenGrd";
inline constexpr std::string_view ForeignLatitudeField = "FremdBreitenGrd";
inline constexpr std::string_view OwnLongitudeField = "MeinLängenGrd";
inline constexpr std::string_view ForeignLongitudeField = "FremdLängenGrd";

inline constexpr std::string_view NoMode = "Die Kommandozeile nennt keine Betriebsart (L oder G).";

// --- The hidden run -----------------------------------------------------

inline constexpr std::string_view ResultOnClipboardOnly =
    "Das Ergebnis steht in der Zwischenablage, konnte aber nicht auf die "
    "Standardausgabe geschrieben werden.";
inline constexpr std::string_view ResultNowhere =
    "Das Ergebnis konnte weder in die Zwischenablage noch auf die "
    "Standardausgabe gebracht werden.";
// %1 why the run has no result.
inline constexpr std::string_view NoResult = "Kein Ergebnis: %1";
inline constexpr std::string_view UnknownReason = "unbekannter Grund";
inline constexpr std::string_view NoClipboardStdoutOnly =
    "Keine Zwischenablage erreichbar; das Ergebnis steht nur auf der Standardausgabe.";

// --- The console tools (--batch, --tsv) ---------------------------------

// %1 a field name.
inline constexpr std::string_view FieldNotANumber = "%1 fehlt oder ist keine Zahl";
inline constexpr std::string_view EmptyLine = "leere Zeile";
// %1 the longest command line in characters.
inline constexpr std::string_view LineTooLong = "Zeile zu lang (mehr als %1 Zeichen)";
// %1 the missing or wrong mode, %2 OnlyLOrG.
inline constexpr std::string_view ModeMissing = "Parameterbezeichnung fehlt: %1";
inline constexpr std::string_view WrongMode = "Falsche Parameterbezeichnung \"%1\": %2";
// %1 the input's name, %2 the system error.
inline constexpr std::string_view ReadError = "%1: Lesefehler: %2";
inline constexpr std::string_view CannotRead = "kann nicht gelesen werden";
inline constexpr std::string_view OutputNotWritable = "Ausgabe kann nicht geschrieben werden";
// The line after what is wrong with a call of a console tool.
inline constexpr std::string_view ConsoleUsage =
    "Aufruf: Pelvorn --batch [--tsv] [DATEI...] | Pelvorn --tsv 'L;MeinLocator;FremdLocator'"
    " | Pelvorn --edi LOG [--fix KOPIE]"
    " | Pelvorn --adif LOG [--tsv] [--own LOCATOR] [--fix KOPIE [--overwrite]] [--kml AUSGABE]"
    " | Pelvorn --adif LOG [--own LOCATOR] [--map AUSGABE] [--azimuth-chart AUSGABE] [--size PIXEL] [--radius KM]"
    " | Pelvorn --map AUSGABE [--size PIXEL] [--radius KM] 'L;MeinLocator;FremdLocator'"
    "  (Optionen in beliebiger Reihenfolge; mehr mit --help)\n";
// %1 an option.
inline constexpr std::string_view UnknownOption = "unbekannte Option %1";
inline constexpr std::string_view OptionWithoutValue = "%1 ohne Wert";
inline constexpr std::string_view OptionTakesNoValue = "%1 nimmt keinen Wert";
inline constexpr std::string_view EdiStandsAlone = "--edi steht allein (mit --fix KOPIE)";
// %1 an option another tool takes, %2 the tool's option.
inline constexpr std::string_view OptionNotWithTool = "%1 nicht zusammen mit %2";
// %1 the tool's option.
inline constexpr std::string_view RotatorNotWithTool = "--rotator nicht zusammen mit %1: %1 dreht keine Antenne";
inline constexpr std::string_view AdifStandsAlone =
    "--adif steht allein (mit --tsv, --own, --fix KOPIE, --overwrite, --map, --azimuth-chart, --size, --radius,"
    " --kml AUSGABE)";
inline constexpr std::string_view TsvNotWithFix = "--tsv und --fix nicht zusammen";
inline constexpr std::string_view OverwriteOnlyWithFix = "--overwrite nur zusammen mit --fix";
inline constexpr std::string_view TsvWithoutLine = "--tsv ohne Befehlszeile";
inline constexpr std::string_view TsvTakesOneLine = "--tsv nimmt genau eine Befehlszeile; für mehrere: --batch --tsv";
// --map; %1 the value given.
inline constexpr std::string_view MapFormat = "--map schreibt .svg, .png oder - (PNG auf die Standardausgabe)";
inline constexpr std::string_view MapBadSize = "--size %1: eine ganze Zahl von 200 bis 8000 Pixeln";
inline constexpr std::string_view MapBadRadius = "--radius %1: mindestens 100 km";
inline constexpr std::string_view MapTakesOneLine = "--map nimmt genau eine Befehlszeile";
// The map's caption: %1 and %2 the locators, %3 the result line.
inline constexpr std::string_view MapCaption = "%1 – %2   %3";
// The header line of --tsv (without line end).
inline constexpr std::string_view TsvHeader =
    "MeinLocator\tFremdLocator\tEntfernung_km\tRichtung_Grad\tLangweg_km\tLangweg_Richtung_Grad\tContest_km";

// --- EDI logs (--edi, --fix) --------------------------------------------

inline constexpr std::string_view IsADirectory = "ist ein Verzeichnis";
inline constexpr std::string_view NotARegularFile = "ist keine gewöhnliche Datei";
inline constexpr std::string_view LinkLeadsNowhere = "ist ein symbolischer Verweis auf eine Datei, die es nicht gibt";
inline constexpr std::string_view TooLargeForEdi = "zu groß für ein EDI-Log";
// %1 the path given to --fix.
inline constexpr std::string_view FixIsTheLog = "--fix %1: das ist das Log selbst; es wird nie verändert";
// %1 why not.
inline constexpr std::string_view NoCopyWritten = "keine korrigierte Kopie geschrieben: %1";
// %1 the copy's path, %2 why it failed.
inline constexpr std::string_view CopyNotWritten = "%1: %2; nichts geschrieben";
inline constexpr std::string_view CopyWritten = "Korrigierte Kopie geschrieben: %1\n";

// Why a QSO line is malformed or not checkable.
// %1 fields found, %2 fields expected.
inline constexpr std::string_view WrongFieldCount = "%1 Felder statt %2";
// %1 the quoted field.
inline constexpr std::string_view PointsNotANumber = "QSO-Punkte %1 sind keine Zahl";
inline constexpr std::string_view BadDupeField = "Doppel-Feld %1 ist weder leer noch D";
inline constexpr std::string_view NoLocator = "kein Locator";
// %1 the square, %2 the kilometres to its centre.
inline constexpr std::string_view SquareOnly =
    "Locator mit nur 4 Zeichen; mit der Mitte des Großfeldes (%1MM, wie das Fenster ergänzt) wären es %2"
    " km, die genaue Entfernung ist unbekannt";
inline constexpr std::string_view NoValidLocator = "kein gültiger Locator";

// Why a log cannot be checked at all.
inline constexpr std::string_view EmptyFile = "die Datei ist leer";
inline constexpr std::string_view LoneCarriageReturns = "Zeilenenden aus einem einzelnen CR werden nicht gelesen";
inline constexpr std::string_view NotEdi = "kein EDI-Log: die erste Zeile ist nicht [REG1TEST;1]";
inline constexpr std::string_view OwnLocatorMissing = "PWWLo (eigener Locator) fehlt vor den QSO-Zeilen";
// %1 the value of PWWLo.
inline constexpr std::string_view OwnLocatorNotSubsquare = "PWWLo=%1 ist kein sechsstelliger Locator";
inline constexpr std::string_view NoRecordsSection = "kein Abschnitt [QSORecords;N]";

// The report; %1 the line number where a line starts with "Zeile %1: ".
inline constexpr std::string_view NotCheckable = "Nicht prüfbar: %1\n";
// %1 the band multiplier.
inline constexpr std::string_view MultiplierBlocks =
    "Bandmultiplikator %1 (CQSOs): die QSO-Punkte enthalten ihn, sie werden nicht geprüft.\n";
// %1 line, %2 call, %3 locator, %4 DupeMark or nothing, %5 claimed, %6 computed.
inline constexpr std::string_view QsoDiffers = "Zeile %1: %2 %3%4: beansprucht %5, berechnet %6\n";
inline constexpr std::string_view DupeMark = " (doppelt)";
// %1 line, %2 call, %3 why, %4 claimed.
inline constexpr std::string_view QsoNotCheckable = "Zeile %1: %2: nicht prüfbar (%3), beansprucht %4\n";
// %1 line, %2 why.
inline constexpr std::string_view QsoMalformed = "Zeile %1: fehlerhafte QSO-Zeile: %2\n";
// %1 the count as written, %2 the QSO lines found.
inline constexpr std::string_view RecordCountUnreadable =
    "[QSORecords;%1]: die Anzahl der QSO-Zeilen ist nicht lesbar, es sind %2\n";
inline constexpr std::string_view RecordCountDiffers = "[QSORecords;%1] kündigt %1 QSO-Zeilen an, es sind %2\n";
// %1 differing, %2 all QSO lines.
inline constexpr std::string_view PointsSummary = "QSO-Punkte: %1 von %2 QSO-Zeilen weichen ab\n";
// %1 the claimed total, %2 the recomputed one, %3 UnverifiedPoints or nothing.
inline constexpr std::string_view TotalLine = "Summe: beansprucht (CQSOP) %1, neu berechnet %2%3\n";
inline constexpr std::string_view UnverifiedPoints = " (davon %1 ungeprüft beansprucht)";
inline constexpr std::string_view Missing = "fehlt";
// %1 the claimed QSO, %2 the recomputed one, %3 DxDiffers or nothing.
inline constexpr std::string_view LongestLine = "Weiteste Verbindung: beansprucht (CODXC) %1, neu berechnet %2%3\n";
inline constexpr std::string_view NoCheckableQso = "keine (kein prüfbares QSO)";
inline constexpr std::string_view DxDiffers = " (abweichend)";
inline constexpr std::string_view AllMatch = "Ergebnis: alle Angaben stimmen.\n";
inline constexpr std::string_view SomethingDiffers = "Ergebnis: Abweichungen oder nicht prüfbare Angaben.\n";
// Why no corrected copy: %1 the band multiplier; %1 the line number.
inline constexpr std::string_view MultiplierBlocksCopy =
    "Bandmultiplikator %1 in CQSOs; die QSO-Punkte werden nicht geprüft";
inline constexpr std::string_view MalformedBlocksCopy =
    "Zeile %1 ist fehlerhaft; erst von Hand berichtigen, dann lässt sich CQSOP bilden";

// The steps of replacing a file that can fail.
inline constexpr std::string_view TemporaryNotCreated = "Zwischendatei kann nicht angelegt werden";
inline constexpr std::string_view ModeNotSet = "Rechte nicht setzbar";
inline constexpr std::string_view WriteFailed = "Schreiben fehlgeschlagen";
inline constexpr std::string_view RenameFailed = "Umbenennen fehlgeschlagen";
// Windows: a read-only copy is refused, as the system's own tools do.
inline constexpr std::string_view ReadOnlyFile = "die Datei ist schreibgeschützt";
// Windows: an error without a German text; %1 the step, %2 the error code.
inline constexpr std::string_view WindowsError = "%1 (Windows-Fehler %2)";

// --- System errors (errno) ----------------------------------------------

inline constexpr std::string_view NoSuchFile = "Datei oder Verzeichnis nicht gefunden";
inline constexpr std::string_view PermissionDenied = "Keine Berechtigung";
inline constexpr std::string_view NotPermitted = "Vorgang nicht zulässig";
inline constexpr std::string_view ReadOnlyFileSystem = "Dateisystem ist nur lesbar";
inline constexpr std::string_view NoSpace = "Auf dem Gerät ist kein Speicherplatz mehr verfügbar";
inline constexpr std::string_view QuotaExceeded = "Der zugeteilte Plattenplatz (Quota) ist erschöpft";
inline constexpr std::string_view FileTooLarge = "Datei zu groß";
inline constexpr std::string_view InputOutputError = "Ein-/Ausgabefehler";
inline constexpr std::string_view IsDirectory = "Ist ein Verzeichnis";
inline constexpr std::string_view NotDirectory = "Ist kein Verzeichnis";
inline constexpr std::string_view NameTooLong = "Dateiname zu lang";
inline constexpr std::string_view TooManyLinks = "Zu viele Ebenen von symbolischen Verknüpfungen";
inline constexpr std::string_view FileExists = "Die Datei existiert bereits";
inline constexpr std::string_view DeviceBusy = "Das Gerät oder die Ressource ist belegt";
inline constexpr std::string_view TooManyOpenFiles = "Zu viele offene Dateien";
inline constexpr std::string_view TooManyOpenFilesInSystem = "Zu viele offene Dateien im System";
inline constexpr std::string_view OutOfMemory = "Nicht genügend Hauptspeicher verfügbar";
inline constexpr std::string_view CrossDeviceLink = "Ungültige Verknüpfung über Gerätegrenzen hinweg";
inline constexpr std::string_view InvalidArgument = "Ungültiges Argument";
inline constexpr std::string_view NoSuchDeviceOrAddress = "Kein solches Gerät oder keine solche Adresse";
inline constexpr std::string_view NoSuchDevice = "Kein passendes Gerät gefunden";
inline constexpr std::string_view NotSupported = "Die Operation wird nicht unterstützt";
inline constexpr std::string_view BrokenPipe = "Datenübergabe unterbrochen (broken pipe)";
inline constexpr std::string_view TryAgain = "Die Ressource ist zur Zeit nicht verfügbar";
inline constexpr std::string_view StaleHandle = "Veraltete Dateizugriffsnummer (file handle)";
// %1 the error number.
inline constexpr std::string_view SystemError = "Systemfehler %1";

// --- The rotator --------------------------------------------------------

// %1 the rotator's address, %2 the command, %3 the answer.
inline constexpr std::string_view UnclearAnswer = "Unverständliche Antwort des Rotors auf %1 auf %2: „%3“.";
// %1 address, %2 command, %3 the most lines, %4 the most kilobytes.
inline constexpr std::string_view AnswerTooLong =
    "Unverständliche Antwort des Rotors auf %1 auf %2: zu lang (mehr als %3 Zeilen oder %4 KB).";
// %1 address.
inline constexpr std::string_view AnswerLineTooLong = "Unverständliche Antwort des Rotors auf %1 (Zeile zu lang).";
// %1 address, %2 the code.
inline constexpr std::string_view CommandRejected = "Der Rotor auf %1 hat den Befehl abgelehnt (Fehlercode %2).";
// %1 address.
inline constexpr std::string_view NoAzimuthRange =
    "Der Rotor auf %1 nennt keinen Drehbereich (min_az/max_az in der Antwort auf \\dump_state).";
// %1 the direction, %2 address, %3 the range's minimum, %4 its maximum.
inline constexpr std::string_view OutOfAzimuthRange =
    "Die Richtung %1 liegt außerhalb des Drehbereichs des Rotors auf %2 (%3 bis %4).";
inline constexpr std::string_view Cancelled = "Der Rotorbefehl wurde abgebrochen.";
// %1 address.
inline constexpr std::string_view ConnectionLost = "Die Verbindung zum Rotor auf %1 wurde unterbrochen (rotctld beendet?).";
// %1 address, %2 what is missing, %3 the time limit.
inline constexpr std::string_view NoAnswerWithin = "Der Rotor auf %1 antwortet nicht: %2 innerhalb von %3.";
inline constexpr std::string_view NoAnswer = "keine Antwort";
inline constexpr std::string_view NoFullAnswer = "keine vollständige Antwort";
inline constexpr std::string_view CommandNotSent = "der Befehl ließ sich nicht senden";
inline constexpr std::string_view NoConnection = "keine Verbindung";
// %1 the time limit in whole seconds and tenths.
inline constexpr std::string_view Seconds = "%1 s";
// %1 the host.
inline constexpr std::string_view UnknownHost = "Der Rechner „%1“ des Rotors ist unbekannt.";
// %1 address.
inline constexpr std::string_view ConnectionRefused =
    "Keine Verbindung zum Rotor auf %1: Verbindung abgelehnt (läuft rotctld dort?).";
inline constexpr std::string_view HostUnreachable = "Keine Verbindung zum Rotor auf %1: Rechner nicht erreichbar.";
// %1 address, %2 SystemError.
inline constexpr std::string_view ConnectFailed = "Keine Verbindung zum Rotor auf %1 (%2).";
// %1 the address as given.
inline constexpr std::string_view BadAddress =
    "Ungültige Rotor-Adresse „%1“: erwartet wird RECHNER oder RECHNER:PORT (Port 1 bis 65535, "
    "IPv6-Adressen in eckigen Klammern), für PstRotator pst:RECHNER[:PORT].";
// A direction: %1 the degrees.
inline constexpr std::string_view Degrees = "%1°";
// %1 the settings file, %2 its encoding (UTF-16 LE or BE).
inline constexpr std::string_view SettingsFileNotUtf8 =
    "Die Einstellungsdatei „%1“ ist in %2 gespeichert; Pelvorn liest sie nur in UTF-8 "
    "(im Editor „Speichern unter“ mit der Codierung UTF-8).";
inline constexpr std::string_view RotatorAddressMissing =
    "Nach --rotator fehlt die Adresse des Rotors (RECHNER oder RECHNER:PORT).";
inline constexpr std::string_view RotatorCommandNotStarted = "Der Rotorbefehl ließ sich nicht starten.";
inline constexpr std::string_view NoDirectionToTurnTo = "Keine Richtung, auf die der Rotor gedreht werden könnte.";
// Nothing sent: %1 where the antenna stands, %2 the target, %3 the dead band.
inline constexpr std::string_view WithinDeadband =
    "Antenne steht auf %1, innerhalb von %3 um %2: nicht gedreht (Totbereich).";
// PstRotator: no answer showed the antenna turning towards the target.
inline constexpr std::string_view NoTurnSeen = "keine Drehung zum Ziel";
// PstRotator's answer port (the command port + 1) cannot be opened: %1 the port, %2 why.
inline constexpr std::string_view AnswerPortUnusable = "Der Antwort-Port %1 für PstRotator lässt sich nicht öffnen: %2.";
inline constexpr std::string_view AnswerPortInUse = "er ist schon belegt";
// %1 the value as given.
inline constexpr std::string_view BadDeadband = "Ungültiger Totbereich „%1“: erwartet werden 0 bis 90 Grad.";
inline constexpr std::string_view BadPark = "Ungültige Parkposition „%1“ in der Einstellungsdatei.";
inline constexpr std::string_view RotatorCommandWithoutRotator =
    "%1 ohne Rotor (--rotator RECHNER[:PORT] oder Einstellungsdatei)";
inline constexpr std::string_view AntennaStopped = "Antenne angehalten.";
inline constexpr std::string_view RotatorToolUsage =
    "Aufruf: Pelvorn --rotator RECHNER[:PORT] --stop | --park [--deadband GRAD]  (Optionen in beliebiger "
    "Reihenfolge)\n";
inline constexpr std::string_view AntennaParking = "Antenne wird geparkt.";

// The window's antenna commands; the menus show the keys beside them.
inline constexpr std::string_view TurnShortPath = "Antenne drehen (kurzer Weg)";
inline constexpr std::string_view TurnLongPath = "Antenne drehen (langer Weg)";
inline constexpr std::string_view ShortPathKey = "F7";
inline constexpr std::string_view LongPathKey = "Umschalt+F7";
inline constexpr std::string_view StopAntenna = "Antenne anhalten";
inline constexpr std::string_view StopKey = "F9";
inline constexpr std::string_view ParkAntenna = "Antenne parken";
// The title of the rotator's warning boxes.
inline constexpr std::string_view RotatorBoxTitle = " Rotor ";
// The direction field's tooltip: %1 the target, %2 where the antenna stands.
inline constexpr std::string_view AntennaTurning = "Antenne dreht auf %1";
inline constexpr std::string_view AntennaStands = "Antenne steht auf %1";
inline constexpr std::string_view AntennaTurningFrom = "Antenne dreht auf %1, steht auf %2";

// The map window: its title, its entry in the window's context menus and
// the key beside it, and the line it shows before there is anything to draw.
inline constexpr std::string_view MapWindowTitle = " Karte ";
inline constexpr std::string_view MapCommand = "Karte";
inline constexpr std::string_view MapKey = "F8";
inline constexpr std::string_view MapHint = "Noch kein Ergebnis: eigenen Locator eingeben und rechnen (Enter).";

// --- Clipboard and display ----------------------------------------------

inline constexpr std::string_view KeeperMissing =
    "Das Hilfsprogramm pelvorn-clipboard-keeper ist nicht installiert; "
    "das Ergebnis steht nicht in der Zwischenablage.";
inline constexpr std::string_view LineTooLongForClipboard = "Die Zeile ist zu lang für die Zwischenablage.";
inline constexpr std::string_view KeeperNotStarted =
    "Das Hilfsprogramm pelvorn-clipboard-keeper ließ sich nicht starten; "
    "das Ergebnis steht nicht in der Zwischenablage.";
inline constexpr std::string_view KeeperNoAnswer =
    "Das Hilfsprogramm pelvorn-clipboard-keeper hat nicht rechtzeitig geantwortet; "
    "das Ergebnis steht nicht in der Zwischenablage.";
inline constexpr std::string_view KeeperEnded =
    "Das Hilfsprogramm pelvorn-clipboard-keeper ist unerwartet beendet worden; "
    "das Ergebnis steht nicht in der Zwischenablage.";
inline constexpr std::string_view ClipboardNoDisplay =
    "Der X-Server ist für die Zwischenablage nicht erreichbar; "
    "das Ergebnis steht nicht in der Zwischenablage.";
// %1 the value of DISPLAY.
inline constexpr std::string_view DisplayLost = "Die Verbindung zum X-Server (DISPLAY=%1) ist abgebrochen.";
inline constexpr std::string_view LockNotCreated =
    "Die Sperrdatei lässt sich nicht anlegen; eine zweite laufende Kopie wird nicht erkannt.";
inline constexpr std::string_view NoPrivateLockDirectory =
    "Kein privates Verzeichnis für die Sperrdatei; eine zweite laufende Kopie wird nicht erkannt.";
inline constexpr std::string_view LockNotHeld =
    "Die Sperrdatei lässt sich nicht halten; diese Kopie wird von einer zweiten nicht erkannt.";
// %1 the front end's program name, %2 why.
inline constexpr std::string_view FrontEndMissing = "Die Programmoberfläche %1 fehlt oder startet nicht (%2).";
inline constexpr std::string_view NotFound = "nicht gefunden";
// %1 the value of DISPLAY.
inline constexpr std::string_view DisplaySilent =
    "Keine grafische Oberfläche erreichbar (DISPLAY=%1 antwortet nicht, WAYLAND_DISPLAY ist nicht gesetzt).";
inline constexpr std::string_view NoDisplay =
    "Keine grafische Oberfläche gefunden (weder DISPLAY noch WAYLAND_DISPLAY ist gesetzt).";
inline constexpr std::string_view NoQtWayland =
    "Für Wayland fehlt das Qt-Modul (Paket qt6-wayland); ohne DISPLAY kann kein Fenster geöffnet werden.";
inline constexpr std::string_view ClipboardRefused = "Die Zwischenablage hat das Ergebnis nicht übernommen.";

// --- ADIF logs (--adif, --fix) ------------------------------------------

inline constexpr std::string_view AdifNotAdif = "keine ADIF-Datei (kein Feld <NAME:LÄNGE>, kein <EOH>, kein <EOR>)";
inline constexpr std::string_view AdifNoEndOfHeader = "der Kopf endet nicht mit <EOH>";
inline constexpr std::string_view AdifNoEndOfRecord = "<EOR> fehlt am Ende des Datensatzes";
inline constexpr std::string_view AdifRecordInHeader = "<EOR> im Kopf, vor <EOH>";
inline constexpr std::string_view AdifTagCutOff = "\"<%1\" am Dateiende abgeschnitten";
inline constexpr std::string_view AdifLengthPastEnd = "die Länge von %1 (%2 Bytes) reicht über das Dateiende hinaus";
inline constexpr std::string_view AdifRecordTooLarge = "der Datensatz mit %1 ist größer als %2 MiB";
inline constexpr std::string_view AdifRecordOverLimit = "der Datensatz ist größer als %1 MiB";
inline constexpr std::string_view AdifPieceTooLarge = "mehr als %1 MiB ohne Ende des Datensatzes oder Kopfes";
inline constexpr std::string_view AdifReadFailed = "kann nicht gelesen werden";
inline constexpr std::string_view AdifLatLonInvalid = "%1 \"%2\" ist keine Angabe XDDD MM.MMM";
inline constexpr std::string_view AdifExtWithoutLocator = "%1 ohne %2";
inline constexpr std::string_view AdifExtNeedsEight = "%1 \"%2\" braucht einen Locator mit 8 Zeichen in %3, nicht \"%4\"";
inline constexpr std::string_view AdifExtInvalid = "%1 \"%2\" hat nicht 2 oder 4 Zeichen";
inline constexpr std::string_view AdifLocatorInvalid = "%1 \"%2\" ist kein gültiger Locator";
inline constexpr std::string_view AdifLatLonOutsideLocator = "%1/%2 \"%3\" \"%4\" liegt nicht im Locator %5";
inline constexpr std::string_view AdifNoOwnPosition = "keine eigene Position (MY_GRIDSQUARE, MY_LAT/MY_LON oder --own)";
inline constexpr std::string_view AdifNoForeignPosition = "keine Position der Gegenstation (GRIDSQUARE oder LAT/LON)";
inline constexpr std::string_view AdifDistanceNotNumber = "DISTANCE \"%1\" ist keine Zahl";
inline constexpr std::string_view AdifDistanceDiffers = "DISTANCE %1 weicht ab";
inline constexpr std::string_view AdifDistanceTwice = "DISTANCE steht %1-mal im Datensatz";
inline constexpr std::string_view AdifDistanceMissing = "DISTANCE fehlt";
inline constexpr std::string_view AdifComputed = "%1; berechnet %2 km";
inline constexpr std::string_view AdifSummary =
    "QSOs: %1\n"
    "  berechenbar: %2\n"
    "  DISTANCE fehlt: %3\n"
    "  DISTANCE weicht ab: %4\n"
    "  ohne Position: %5\n";
inline constexpr std::string_view AdifLongest = "Weiteste Verbindung: %1 %2 %3 km\n";
inline constexpr std::string_view AdifNoLongest = "Weiteste Verbindung: keine\n";
inline constexpr std::string_view AdifTsvHeader =
    "Rufzeichen\tDatum\tMeinLocator\tFremdLocator\tEntfernung_km\tRichtung_Grad\tLangweg_km\tLangweg_Richtung_Grad";
inline constexpr std::string_view AdifFixWritten = "Kopie geschrieben: %1 (DISTANCE eingetragen: %2, ersetzt: %3)\n";
inline constexpr std::string_view AdifCopyTooLarge =
    "DISTANCE nicht eingetragen: der Datensatz wäre größer als %1 MiB";
inline constexpr std::string_view AdifOutputLostCopyWritten =
    "Ausgabe kann nicht geschrieben werden; die Kopie %1 ist geschrieben";
inline constexpr std::string_view FixNameEmpty = "--fix mit leerem Dateinamen";
inline constexpr std::string_view AdifNothingWritten = "%1; nichts geschrieben";
inline constexpr std::string_view AdifOwnInvalid = "--own %1: kein gültiger Locator (2 bis 12 Zeichen)";
inline constexpr std::string_view AdifHeaderPlace = "Kopf";
// --adif --kml: the own station's placemark, the lines of a QSO's ("%1: %2").
inline constexpr std::string_view KmlOwnStation = "Eigene Station";
inline constexpr std::string_view KmlDescriptionLine = "%1: %2";
inline constexpr std::string_view KmlDate = "Datum";
inline constexpr std::string_view KmlBand = "Band";
inline constexpr std::string_view KmlMode = "Betriebsart";
inline constexpr std::string_view KmlDistance = "Entfernung";
inline constexpr std::string_view KmlLongPathDistance = "Entfernung (langer Weg)";
inline constexpr std::string_view KmlDirection = "Richtung";
inline constexpr std::string_view KmlKm = "%1 km";
inline constexpr std::string_view KmlDegrees = "%1 °";
inline constexpr std::string_view KmlNameEmpty = "--kml mit leerem Dateinamen";
inline constexpr std::string_view KmlWritten = "KML geschrieben: %1 (QSOs: %2, ohne Position: %3)\n";
inline constexpr std::string_view KmlOutputLost = "Ausgabe kann nicht geschrieben werden; die KML-Datei %1 ist geschrieben";
// The map and azimuth chart of a log (--adif --map, --azimuth-chart): %1 the
// centre's position, %2 QSOs drawn, %3 QSOs without position.
inline constexpr std::string_view AdifMapCaption = "%1 – %2 QSOs, ohne Position: %3";
inline constexpr std::string_view AdifChartCaption = "%1 – %2 QSOs je 10°-Sektor, ohne Position: %3";
// %1 the number of QSOs, %2 the centre's position.
inline constexpr std::string_view AdifMapElsewhere = "%1 QSOs nicht von %2 aus: von ihrem Standort aus eingezeichnet";
// %1 the number of QSOs, %2 the map's radius.
inline constexpr std::string_view AdifMapOutside = "%1 QSOs weiter als %2 km: nicht eingezeichnet";
inline constexpr std::string_view AdifMapNoBand = "ohne Band";
inline constexpr std::string_view AdifMapNoCentre =
    "keine eigene Position im Log (MY_GRIDSQUARE, MY_LAT/MY_LON) und kein --own LOCATOR; nichts geschrieben";
inline constexpr std::string_view AdifMapSameFile = "--map und --azimuth-chart in dieselbe Datei";
inline constexpr std::string_view AdifMapBothToOutput = "nur eines von --map und --azimuth-chart auf die Standardausgabe (-)";
inline constexpr std::string_view AdifSizeOnlyWithPicture = "--size nur zusammen mit --map oder --azimuth-chart";
inline constexpr std::string_view AdifRadiusOnlyWithMap = "--radius nur zusammen mit --map";

// --- Following WSJT-X (--follow) ---------------------------------------

// %1 the Winsock error number.
inline constexpr std::string_view WinsockError = "Winsock-Fehler %1";
inline constexpr std::string_view FollowTsvHeader =
    "ZeitUTC\tFremdRufzeichen\tFremdLocator\tEntfernung_km\tRichtung_Grad\tLangweg_km\tLangweg_Richtung_Grad";
inline constexpr std::string_view FollowListening = "Warte auf WSJT-X an %1 (Ende mit Strg+C)";
inline constexpr std::string_view FollowInvalidDxGrid = "Kein gültiger Locator von %1: \"%2\"";
inline constexpr std::string_view FollowInvalidDeGrid =
    "Kein gültiger eigener Locator von %1: \"%2\" (eigenen Locator mit --own angeben)";
inline constexpr std::string_view FollowSkipped = "%1 unlesbare Datagramme übersprungen";
inline constexpr std::string_view FollowRotatorTurns = "Rotor dreht auf %1°";
// %1 the direction, %2 the same as the rotator takes it (-64,12° for 295,88°).
inline constexpr std::string_view FollowRotatorTurnsAs = "Rotor dreht auf %1° (am Rotor %2°)";
inline constexpr std::string_view FollowBadAddress = "--follow: \"%1\" ist keine Adresse ADRESSE:PORT";
inline constexpr std::string_view FollowCannotListen = "An %1 kann nicht gelauscht werden: %2";
inline constexpr std::string_view FollowAddressInUse = "die Adresse ist schon belegt (lauscht dort ein anderes Programm?)";
inline constexpr std::string_view FollowNotStarted = "Der Empfang kann nicht gestartet werden (das System gibt keinen Thread)";
inline constexpr std::string_view FollowReceiveFailed = "Empfang an %1 gestört: %2";
inline constexpr std::string_view FollowOneAddress = "--follow nimmt eine Adresse ADRESSE:PORT, nicht mehrere";
inline constexpr std::string_view FollowBadOwnLocator = "--own: kein gültiger Locator \"%1\"";
inline constexpr std::string_view FollowBadSettle = "--settle: keine Sekundenzahl von 0 bis 3600: \"%1\"";
inline constexpr std::string_view FollowTurnWithoutRotator =
    "--turn ohne Rotor (--rotator RECHNER[:PORT] oder Einstellungsdatei)";
inline constexpr std::string_view FollowNotWithWindow = "%1 nicht zusammen mit --window";
inline constexpr std::string_view FollowMapNotToOutput =
    "--follow --map schreibt eine Datei (.svg oder .png), nicht die Standardausgabe";
// %1 the option.
inline constexpr std::string_view FollowOnlyWithMap = "%1 nur zusammen mit --map";
inline constexpr std::string_view FollowBoxTitle = " Folgen nicht möglich ";
inline constexpr std::string_view FollowN1mmListening = "Warte auf N1MM-Meldungen an %1 (Ende mit Strg+C)";
inline constexpr std::string_view FollowN1mmNeedsOwn =
    "--follow n1mm braucht --own LOCATOR: N1MM-Meldungen nennen den eigenen Locator nicht";
inline constexpr std::string_view FollowUsage =
    "Aufruf: Pelvorn --follow [ADRESSE:PORT | fldigi[:RECHNER:PORT] [--poll SEKUNDEN] | n1mm[:ADRESSE[:PORT]]]"
    " [--rotator RECHNER[:PORT]] [--own LOCATOR] [--tsv] [--id KENNUNG]"
    " [--turn[=long]] [--settle SEKUNDEN] [--window] [--deadband GRAD] [--park-on-exit]"
    " [--map AUSGABE [--size PIXEL] [--radius KM]]"
    "  (Optionen in beliebiger Reihenfolge)\n";

// --- Following fldigi (--follow fldigi) ---------------------------------

// %1 fldigi's address, %2 the time between polls ("0,5 s").
inline constexpr std::string_view FollowFldigiAsking = "Frage fldigi an %1 alle %2 (Ende mit Strg+C)";
// %1 the address, %2 why (one of the reasons below).
inline constexpr std::string_view FollowFldigiSilent = "fldigi an %1 antwortet nicht (%2); es wird weiter gefragt";
inline constexpr std::string_view FollowFldigiBack = "fldigi an %1 antwortet wieder";
// %1 the address, %2 the method, %3 fldigi's reason.
inline constexpr std::string_view FollowFldigiRefuses = "fldigi an %1 lehnt %2 ab: %3";
inline constexpr std::string_view FollowFldigiRefused = "Verbindung abgelehnt, läuft fldigi?";
inline constexpr std::string_view FollowFldigiUnknownHost = "Rechner unbekannt";
inline constexpr std::string_view FollowFldigiUnreachable = "Rechner nicht erreichbar";
inline constexpr std::string_view FollowFldigiNoAnswer = "keine Antwort innerhalb von %1";
inline constexpr std::string_view FollowFldigiClosed = "Verbindung geschlossen";
inline constexpr std::string_view FollowFldigiUnclear = "unverständliche Antwort auf %1";
inline constexpr std::string_view FollowFldigiHttpStatus = "HTTP-Status %1 auf %2";
inline constexpr std::string_view FollowFldigiTooLong = "Antwort auf %1 länger als %2 KiB";
inline constexpr std::string_view FollowBadPoll = "--poll: keine Sekundenzahl von 0,1 bis 60: \"%1\"";
inline constexpr std::string_view FollowPollOnlyFldigi = "--poll nur mit --follow fldigi";

// --- Help and version ---------------------------------------------------

// %1 product name, %2 version, %3 copyright.
inline constexpr std::string_view VersionText = "%1 %2\n%3\n";

inline constexpr std::string_view HelpText =
    "Aufruf: Pelvorn [--rotator RECHNER[:PORT]] [L;MeinLocator;FremdLocator[;;;V-]]\n"
    "        Pelvorn [--rotator RECHNER[:PORT]] G;MeinBreitenGrd;FremdBreitenGrd;MeinLängenGrd;FremdLängenGrd[;V-]\n"
    "        Pelvorn --batch [--tsv] [DATEI...]\n"
    "        Pelvorn --tsv 'L;MeinLocator;FremdLocator'\n"
    "        Pelvorn --edi LOG [--fix KOPIE]\n"
    "        Pelvorn --map AUSGABE [--size PIXEL] [--radius KM] 'L;MeinLocator;FremdLocator'\n"
    "        Pelvorn --adif LOG [--tsv] [--own LOCATOR] [--fix KOPIE [--overwrite]]\n"
    "        Pelvorn --adif LOG [--own LOCATOR] [--map AUSGABE] [--azimuth-chart AUSGABE]\n"
    "                [--size PIXEL] [--radius KM]\n"
    "        Pelvorn --follow [ADRESSE:PORT] [--rotator RECHNER[:PORT]] [--own LOCATOR] [--tsv]\n"
    "                [--id KENNUNG] [--turn[=long]] [--settle SEKUNDEN] [--window]\n"
    "Optionen stehen in beliebiger Reihenfolge, als --option WERT oder --option=WERT;\n"
    "-- beendet sie.\n"
    "Berechnet Entfernung (km) und Antennenrichtung (°) zwischen zwei Locatoren\n"
    "und legt das Ergebnis in die Zwischenablage.\n"
    "\n"
    "Die Felder werden durch \";\" getrennt; in einer Shell die ganze Zeile in\n"
    "Anführungszeichen setzen: Pelvorn 'L;JO62mm;KM38mm;;;V-'\n"
    "Gradangaben dezimal, nördliche Breite und östliche Länge positiv, mit Komma\n"
    "(deutsche Einstellung) oder Punkt: Pelvorn 'G;52,5;38,5;13;27'\n"
    "Ein 6. Feld V- rechnet ohne Fenster, schreibt das Ergebnis auch auf die\n"
    "Standardausgabe und beendet das Programm.\n"
    "\n"
    "      --rotator RECHNER[:PORT]\n"
    "                 Antenne über Hamlibs rotctld drehen (Port 4533, wenn keiner\n"
    "                 angegeben ist; IPv6 in eckigen Klammern); stattdessen auch\n"
    "                 [Rotator] Address=RECHNER:PORT in ~/.config/pelvorn/Pelvorn.conf.\n"
    "                 Ein unsichtbarer Lauf dreht sie auf die Richtung, das Fenster\n"
    "                 bietet im Richtungsfeld kurzen (F7) und langen Weg (Umschalt+F7),\n"
    "                 Anhalten (F9) und Parken. pst:RECHNER[:PORT] steuert PstRotator\n"
    "                 über UDP (Port 12000, Antworten auf Port 12001).\n"
    "      --stop, --park  mit Rotor: Antenne anhalten oder parken ([Rotator]\n"
    "                 Park=GRAD: dorthin drehen, sonst die Parkposition des Rotors)\n"
    "      --deadband GRAD  Totbereich: steht die Antenne so nah am Ziel, wird sie\n"
    "                 nicht gedreht (Vorgabe 2, [Rotator] Deadband=GRAD; 0: aus)\n"
    "      --batch    ohne Fenster: jede Zeile der DATEIen (ohne DATEI oder mit -:\n"
    "                 der Standardeingabe) ist eine Befehlszeile wie oben; je Zeile\n"
    "                 eine Ausgabezeile, bei einer Zeile ohne Ergebnis eine leere\n"
    "                 und auf der Standardfehlerausgabe DATEI:ZEILE: Grund\n"
    "      --tsv      Tabellenform (Tabulatoren, immer Dezimalpunkt): Locatoren,\n"
    "                 km, Richtung, langer Weg in km und Grad, Contest-km\n"
    "                 (IARU Region 1); mit --batch für jede Zeile, sonst für eine\n"
    "                 Befehlszeile: Pelvorn --tsv 'L;JO62mm;KM38mm'\n"
    "      --edi LOG  QSO-Punkte eines EDI-Logs (REG1TEST) nachrechnen: abweichende\n"
    "                 und nicht prüfbare QSOs, Summe (CQSOP), weiteste Verbindung\n"
    "                 (CODXC)\n"
    "      --fix KOPIE  mit --edi: berichtigte Kopie schreiben; das Log bleibt,\n"
    "                 wie es ist; mit --adif: Kopie mit DISTANCE, wo es fehlt\n"
    "      --adif LOG Entfernung jedes QSOs eines ADIF-Logs (.adi, - für die\n"
    "                 Standardeingabe): fehlendes oder abweichendes DISTANCE\n"
    "                 (mehr als 1 km + 0,5 %), QSOs ohne Position, weiteste\n"
    "                 Verbindung. Liest CALL, QSO_DATE, MY_GRIDSQUARE(_EXT),\n"
    "                 MY_LAT/MY_LON, GRIDSQUARE(_EXT), LAT/LON, DISTANCE, ANT_PATH;\n"
    "                 schreibt nur DISTANCE (km, mit --fix; KOPIE darf LOG sein):\n"
    "                 Pelvorn --adif log.adi --own JO62mm\n"
    "                 Pelvorn --adif log.adi --tsv > entfernungen.tsv\n"
    "                 Pelvorn --adif log.adi --fix log.adi\n"
    "      --own LOCATOR  mit --adif: eigener Locator für QSOs ohne eigene Position\n"
    "      --kml AUSGABE  mit --adif: KML-Datei (Google Earth, GIS) mit jedem QSO\n"
    "                 mit Position und seiner Großkreislinie vom eigenen Standort\n"
    "      --map AUSGABE  Karte (mittabstandstreu, um den eigenen Standort) mit\n"
    "                 kurzem und langem Weg, Entfernungsringen, Richtungen und\n"
    "                 Locatorfeldern als .svg oder .png (- : PNG auf die\n"
    "                 Standardausgabe); --size PIXEL Seitenlänge (1000, 200 bis\n"
    "                 8000), --radius KM Umkreis (ab 100; sonst die ganze Erde):\n"
    "                 Pelvorn --map karte.png 'L;JO62mm;KM38mm'\n"
    "                 Mit --adif LOG: alle QSOs des Logs als Punkte, farbig nach Band,\n"
    "                 um --own oder den häufigsten eigenen Standort des Logs\n"
    "      --azimuth-chart AUSGABE  mit --adif: QSOs je 10°-Sektor der Richtung\n"
    "                 als Polardiagramm (.svg, .png), mit der weitesten Verbindung\n"
    "      --overwrite  mit --adif --fix: auch abweichendes DISTANCE ersetzen\n"
    "      --follow [ADRESSE:PORT]\n"
    "                 WSJT-X (oder JTDX) folgen: lauscht auf dessen UDP-Server (File >\n"
    "                 Settings > Reporting; Vorgabe 127.0.0.1:2237, Multicast-Gruppe\n"
    "                 z. B. 224.0.0.1) und gibt für jeden neuen DX-Locator eine Zeile\n"
    "                 aus, bis Strg+C; --own LOCATOR statt des eigenen aus WSJT-X,\n"
    "                 --id KENNUNG nur diese Instanz, --tsv mit Zeit (UTC), Rufzeichen\n"
    "                 und langem Weg; --turn (--turn=long) dreht die Antenne, sobald\n"
    "                 der Locator --settle SEKUNDEN (1) gleich blieb; --window füllt\n"
    "                 stattdessen die Locatorfelder des Fensters; --park-on-exit\n"
    "                 parkt die Antenne, wenn Strg+C oder SIGTERM das Folgen beendet;\n"
    "                 --map AUSGABE ersetzt bei jedem neuen DX-Locator die Karte\n"
    "                 (.svg oder .png) als Ganzes\n"
    "      --follow fldigi[:RECHNER:PORT] [--poll SEKUNDEN]\n"
    "                 fldigi folgen: fragt über XML-RPC (Vorgabe 127.0.0.1:7362) alle\n"
    "                 --poll SEKUNDEN (0,5) die Felder Call und Loc des Logs ab; eigener\n"
    "                 Locator: --own oder der Stationslocator aus fldigis Einstellungen\n"
    "      --follow n1mm[:ADRESSE[:PORT]] --own LOCATOR\n"
    "                 N1MM Logger+ (oder not1mm, Log4OM ...) folgen: lauscht auf\n"
    "                 dessen Broadcast Data (Vorgabe 0.0.0.0:12060, Port geteilt):\n"
    "                 lookupinfo, contactinfo, contactreplace; --id STATIONSNAME\n"
    "      --help     diese Hilfe anzeigen und beenden\n"
    "      --version  Versionsinformation anzeigen und beenden\n"
    "\n"
    "Rückgabewerte:\n"
    "  0  beendet durch den Benutzer, oder unsichtbarer Lauf mit Ergebnis\n"
    "  1  unsichtbarer Lauf ohne Ergebnis\n"
    "  2  abgelehnt, weil das Programm bereits läuft\n"
    "  3  keine grafische Oberfläche für einen sichtbaren Start\n"
    "  4  unsichtbarer Lauf mit Ergebnis, aber der Rotor wurde nicht gedreht;\n"
    "     oder unbrauchbare Angabe nach --rotator oder --deadband; --stop oder\n"
    "     --park misslungen\n"
    "Rückgabewerte von --batch, --tsv, --edi, --adif und --map:\n"
    "  0  jede Zeile hat ein Ergebnis; das Log stimmt\n"
    "  1  Zeilen ohne Ergebnis; im Log weicht etwas ab oder ist nicht prüfbar\n"
    "  2  eine Eingabe ist nicht lesbar oder kein EDI- oder ADIF-Log, eine\n"
    "     Ausgabe nicht schreibbar, oder der Aufruf ist falsch\n"
    "Rückgabewerte von --follow:\n"
    "  0  beendet mit Strg+C oder SIGTERM\n"
    "  2  falscher Aufruf, Port nicht verfügbar oder Ausgabe nicht schreibbar\n";

}  // namespace pelvorn::text
