#include "InfoText.h"

#include "ApplicationIdentity.h"
#include "common/Text.h"

#include <array>
#include <string>

namespace pelvorn {

std::u16string InfoText(std::u16string_view lineBreak) {
  const std::u16string headLine = FromUtf8(identity::ProductName) + u" V " + FromUtf8(identity::Version) + u" " +
                                  FromUtf8(identity::Copyright);
  const std::array<std::u16string_view, 24> lines = {
      headLine,
      u"",
      u"Das Programm wird im Amateurfunk benötig und dient der Berechnung der ",
      u"Entfernung und der Antennenrichtung zwischen zwei Locatoren (Standordkennungen). ",
      u"Sind nur die ersten vier Zeichen des Locators bekannt (zbsp. aus einem Call-Buch), ",
      u"so reicht es auch für eine grobe Berechnung aus. Das Starten des Programmes ist ",
      u"auch mit einer Kommando - Zeile möglich :",
      u"",
      u"Locatoreingabe :",
      u"",
      u"Pelvorn L;MeinLocator;FremdLocator",
      u"",
      u"",
      u"Gradeingabe (nördliche Breite, östliche Länge, dezimal) :",
      u"",
      u"Pelvorn G;MeinBreitenGrd;FremdBreitenGrd;MeinLängenGrd;FremdLängenGrd     ",
      u"",
      u"Beisp.: Pelvorn L;JO62mm;KM38mm",
      u"",
      u"",
      u"Das Ergebnis wird auch in die Zwischenablage kopiert. Ein 6. Parameter mit V- ",
      u"schaltet die Sichtbarkeit des Programms ab.",
      u"",
      u"Beisp.: Pelvorn L;JO62mm;KM38mm;;;V-",
  };
  std::u16string text;
  for (std::size_t i = 0; i < lines.size(); ++i) {
    if (i > 0) text += lineBreak;
    text += lines[i];
  }
  return text;
}

}  // namespace pelvorn
