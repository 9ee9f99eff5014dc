#include "Usage.h"

#include "ApplicationIdentity.h"
#include "common/Text.h"

#include <string>

namespace pelvorn {

std::u16string HelpText() {
  return FromUtf8(
      "Aufruf: Pelvorn [--rotator RECHNER[:PORT]] [L;MeinLocator;FremdLocator[;;;V-]]\n"
      "        Pelvorn [--rotator RECHNER[:PORT]] G;MeinBreitenGrd;FremdBreitenGrd;MeinL\u00e4ngenGrd;FremdL\u00e4ngenGrd[;V-]\n"
      "        Pelvorn --batch [--tsv] [DATEI...]\n"
      "        Pelvorn --tsv 'L;MeinLocator;FremdLocator'\n"
      "        Pelvorn --edi LOG [--fix KOPIE]\n"
      "        Pelvorn [--rotator RECHNER[:PORT]] --follow [ADRESSE:PORT] [--own LOCATOR] [--tsv]\n"
      "                [--id KENNUNG] [--turn[=long]] [--settle SEKUNDEN] [--window]\n"
      "Berechnet Entfernung (km) und Antennenrichtung (\u00b0) zwischen zwei Locatoren\n"
      "und legt das Ergebnis in die Zwischenablage.\n"
      "\n"
      "Die Felder werden durch \";\" getrennt; in einer Shell die ganze Zeile in\n"
      "Anf\u00fchrungszeichen setzen: Pelvorn 'L;JO62mm;KM38mm;;;V-'\n"
      "Gradangaben dezimal, n\u00f6rdliche Breite und \u00f6stliche L\u00e4nge positiv, mit Komma\n"
      "(deutsche Einstellung) oder Punkt: Pelvorn 'G;52,5;38,5;13;27'\n"
      "Ein 6. Feld V- rechnet ohne Fenster, schreibt das Ergebnis auch auf die\n"
      "Standardausgabe und beendet das Programm.\n"
      "\n"
      "      --rotator RECHNER[:PORT]\n"
      "                 Antenne \u00fcber Hamlibs rotctld drehen (Port 4533, wenn keiner\n"
      "                 angegeben ist; IPv6 in eckigen Klammern); stattdessen auch\n"
      "                 [Rotator] Address=RECHNER:PORT in ~/.config/pelvorn/Pelvorn.conf.\n"
      "                 Ein unsichtbarer Lauf dreht sie auf die Richtung, das Fenster\n"
      "                 bietet im Richtungsfeld kurzen (F7) und langen Weg (Umschalt+F7).\n"
      "      --batch    ohne Fenster: jede Zeile der DATEIen (ohne DATEI oder mit -:\n"
      "                 der Standardeingabe) ist eine Befehlszeile wie oben; je Zeile\n"
      "                 eine Ausgabezeile, bei einer Zeile ohne Ergebnis eine leere\n"
      "                 und auf der Standardfehlerausgabe DATEI:ZEILE: Grund\n"
      "      --tsv      Tabellenform (Tabulatoren, immer Dezimalpunkt): Locatoren,\n"
      "                 km, Richtung, langer Weg in km und Grad, Contest-km\n"
      "                 (IARU Region 1); mit --batch f\u00fcr jede Zeile, sonst f\u00fcr eine\n"
      "                 Befehlszeile: Pelvorn --tsv 'L;JO62mm;KM38mm'\n"
      "      --edi LOG  QSO-Punkte eines EDI-Logs (REG1TEST) nachrechnen: abweichende\n"
      "                 und nicht pr\u00fcfbare QSOs, Summe (CQSOP), weiteste Verbindung\n"
      "                 (CODXC)\n"
      "      --fix KOPIE  mit --edi: berichtigte Kopie schreiben; das Log bleibt,\n"
      "                 wie es ist\n"
      "      --follow [ADRESSE:PORT]\n"
      "                 WSJT-X (oder JTDX) folgen: lauscht auf dessen UDP-Server (File >\n"
      "                 Settings > Reporting; Vorgabe 127.0.0.1:2237, Multicast-Gruppe\n"
      "                 z. B. 224.0.0.1) und gibt f\u00fcr jeden neuen DX-Locator eine Zeile\n"
      "                 aus, bis Strg+C; --own LOCATOR statt des eigenen aus WSJT-X,\n"
      "                 --id KENNUNG nur diese Instanz, --tsv mit Zeit (UTC), Rufzeichen\n"
      "                 und langem Weg; --turn (--turn=long) dreht die Antenne, sobald\n"
      "                 der Locator --settle SEKUNDEN (1) gleich blieb; --window f\u00fcllt\n"
      "                 stattdessen die Locatorfelder des Fensters\n"
      "      --help     diese Hilfe anzeigen und beenden\n"
      "      --version  Versionsinformation anzeigen und beenden\n"
      "\n"
      "R\u00fcckgabewerte:\n"
      "  0  beendet durch den Benutzer, oder unsichtbarer Lauf mit Ergebnis\n"
      "  1  unsichtbarer Lauf ohne Ergebnis\n"
      "  2  abgelehnt, weil das Programm bereits l\u00e4uft\n"
      "  3  keine grafische Oberfl\u00e4che f\u00fcr einen sichtbaren Start\n"
      "  4  unsichtbarer Lauf mit Ergebnis, aber der Rotor wurde nicht gedreht;\n"
      "     oder unbrauchbare Angabe nach --rotator\n"
      "R\u00fcckgabewerte von --batch, --tsv und --edi:\n"
      "  0  jede Zeile hat ein Ergebnis; das Log stimmt\n"
      "  1  Zeilen ohne Ergebnis; im Log weicht etwas ab oder ist nicht pr\u00fcfbar\n"
      "  2  eine Eingabe ist nicht lesbar oder kein EDI-Log, eine Ausgabe nicht\n"
      "     schreibbar, oder der Aufruf ist falsch\n"
      "R\u00fcckgabewerte von --follow:\n"
      "  0  beendet mit Strg+C oder SIGTERM\n"
      "  2  falscher Aufruf, Port nicht verf\u00fcgbar oder Ausgabe nicht schreibbar\n");
}

std::u16string VersionText() {
  return FromUtf8(std::string(identity::ProductName) + " " + identity::Version + "\n" + identity::Copyright + "\n");
}

}  // namespace pelvorn
