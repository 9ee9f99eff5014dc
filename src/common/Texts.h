#pragma once

#include <string_view>

// Every German text of the program, UTF-8; %1, %2 … are filled by Fill.

namespace pelvorn::text {

// ADIF log
inline constexpr std::string_view AdifNotAdif = "keine ADIF-Datei (kein Feld <NAME:LÄNGE>, kein <EOH>, kein <EOR>)";
inline constexpr std::string_view AdifNoEndOfHeader = "der Kopf endet nicht mit <EOH>";
inline constexpr std::string_view AdifNoEndOfRecord = "<EOR> fehlt am Ende des Datensatzes";
inline constexpr std::string_view AdifRecordInHeader = "<EOR> im Kopf, vor <EOH>";
inline constexpr std::string_view AdifTagNotClosed = "\"<%1\" wird nicht mit \">\" geschlossen";
inline constexpr std::string_view AdifTagCutOff = "\"<%1\" am Dateiende abgeschnitten";
inline constexpr std::string_view AdifFieldWithoutName = "Feld ohne Namen: <%1>";
inline constexpr std::string_view AdifLengthNotNumber = "die Länge von %1 ist keine Zahl: \"%2\"";
inline constexpr std::string_view AdifLengthPastEnd = "die Länge von %1 (%2 Bytes) reicht über das Dateiende hinaus";
inline constexpr std::string_view AdifRecordTooLarge = "der Datensatz mit %1 ist größer als %2 MiB";
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
inline constexpr std::string_view AdifNothingWritten = "%1; nichts geschrieben";
inline constexpr std::string_view AdifOwnInvalid = "--own %1: kein gültiger Locator (2 bis 12 Zeichen)";
inline constexpr std::string_view AdifOutputFailed = "Ausgabe kann nicht geschrieben werden";
inline constexpr std::string_view AdifHeaderPlace = "Kopf";

}  // namespace pelvorn::text
