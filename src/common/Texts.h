#pragma once

#include <string_view>

// Every German text of the program, UTF-8; %1, %2 stand for what is filled in.

namespace pelvorn::text {

// Following WSJT-X
inline constexpr std::string_view FollowTsvHeader =
    "ZeitUTC\tFremdRufzeichen\tFremdLocator\tEntfernung_km\tRichtung_Grad\tLangweg_km\tLangweg_Richtung_Grad";
inline constexpr std::string_view FollowListening = "Warte auf WSJT-X an %1 (Ende mit Strg+C)";
inline constexpr std::string_view FollowInvalidDxGrid = "Kein gültiger Locator von %1: \"%2\"";
inline constexpr std::string_view FollowInvalidDeGrid =
    "Kein gültiger eigener Locator von %1: \"%2\" (eigenen Locator mit --own angeben)";
inline constexpr std::string_view FollowSkipped = "%1 unlesbare Datagramme übersprungen";
inline constexpr std::string_view FollowRotatorTurns = "Rotor dreht auf %1°";
inline constexpr std::string_view FollowBadAddress = "--follow: \"%1\" ist keine Adresse ADRESSE:PORT";
inline constexpr std::string_view FollowCannotListen = "An %1 kann nicht gelauscht werden: %2";
inline constexpr std::string_view FollowAddressInUse = "die Adresse ist schon belegt (lauscht dort ein anderes Programm?)";
inline constexpr std::string_view FollowReceiveFailed = "Empfang an %1 gestört: %2";
inline constexpr std::string_view FollowMissingValue = "%1 ohne Wert";
inline constexpr std::string_view FollowBadOwnLocator = "--own: kein gültiger Locator \"%1\"";
inline constexpr std::string_view FollowBadSettle = "--settle: keine Sekundenzahl von 0 bis 3600: \"%1\"";
inline constexpr std::string_view FollowTurnWithoutRotator =
    "--turn ohne Rotor (--rotator RECHNER[:PORT] oder Einstellungsdatei)";
inline constexpr std::string_view FollowUnknownOption = "unbekannte Option %1";
inline constexpr std::string_view FollowNotWithWindow = "%1 nicht zusammen mit --window";
inline constexpr std::string_view FollowNoWindowHere = "--window: hier folgt nur die Konsole, kein Fenster";
inline constexpr std::string_view FollowOutputFailed = "Ausgabe kann nicht geschrieben werden";
inline constexpr std::string_view FollowUsage =
    "Aufruf: Pelvorn [--rotator RECHNER[:PORT]] --follow [ADRESSE:PORT] [--own LOCATOR] [--tsv] [--id KENNUNG]"
    " [--turn[=long]] [--settle SEKUNDEN] [--window]";

}  // namespace pelvorn::text
