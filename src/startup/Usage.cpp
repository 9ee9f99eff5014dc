#include "Usage.h"

#include "ApplicationIdentity.h"
#include "common/Text.h"

#include <string>

namespace pelvorn {

std::u16string HelpText() {
  return FromUtf8(
      "Aufruf: Pelvorn [L;MeinLocator;FremdLocator[;;;V-]]\n"
      "        Pelvorn G;MeinBreitenGrd;FremdBreitenGrd;MeinL\u00e4ngenGrd;FremdL\u00e4ngenGrd[;V-]\n"
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
      "      --help     diese Hilfe anzeigen und beenden\n"
      "      --version  Versionsinformation anzeigen und beenden\n"
      "\n"
      "R\u00fcckgabewerte:\n"
      "  0  beendet durch den Benutzer, oder unsichtbarer Lauf mit Ergebnis\n"
      "  1  unsichtbarer Lauf ohne Ergebnis\n"
      "  2  abgelehnt, weil das Programm bereits l\u00e4uft\n"
      "  3  keine grafische Oberfl\u00e4che f\u00fcr einen sichtbaren Start\n");
}

std::u16string VersionText() {
  return FromUtf8(std::string(identity::ProductName) + " " + std::to_string(identity::Major) + "." +
                  std::to_string(identity::Minor) + "." + std::to_string(identity::Revision) + "\n" +
                  identity::Copyright + "\n");
}

}  // namespace pelvorn
