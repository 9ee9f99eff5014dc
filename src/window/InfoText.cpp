#include "InfoText.h"

#include "ApplicationIdentity.h"

#include <QStringList>

namespace pelvorn {

QString InfoText(const QString& lineBreak) {
  const QString version = QStringLiteral(" V %1.%2.%3")
                              .arg(identity::Major)
                              .arg(identity::Minor)
                              .arg(identity::Revision);
  const QString headLine = QString::fromUtf8(identity::ProductName) + version + QLatin1Char(' ') +
                           QString::fromUtf8(identity::Copyright);
  const QStringList lines = {
      headLine,
      QString(),
      QStringLiteral("Das Programm wird im Amateurfunk benötig und dient der Berechnung der "),
      QStringLiteral("Entfernung und der Antennenrichtung zwischen zwei Locatoren (Standordkennungen). "),
      QStringLiteral("Sind nur die ersten vier Zeichen des Locators bekannt (zbsp. aus einem Call-Buch), "),
      QStringLiteral("so reicht es auch für eine grobe Berechnung aus. Das Starten des Programmes ist "),
      QStringLiteral("auch mit einer Kommando - Zeile möglich :"),
      QString(),
      QStringLiteral("Locatoreingabe :"),
      QString(),
      QStringLiteral("Pelvorn L;MeinLocator;FremdLocator"),
      QString(),
      QString(),
      QStringLiteral("Gradeingabe (nördliche Breite, östliche Länge, dezimal) :"),
      QString(),
      QStringLiteral("Pelvorn G;MeinBreitenGrd;FremdBreitenGrd;MeinLängenGrd;FremdLängenGrd     "),
      QString(),
      QStringLiteral("Beisp.: Pelvorn L;JO62mm;KM38mm"),
      QString(),
      QString(),
      QStringLiteral("Das Ergebnis wird auch in die Zwischenablage kopiert. Ein 6. Parameter mit V- "),
      QStringLiteral("schaltet die Sichtbarkeit des Programms ab."),
      QString(),
      QStringLiteral("Beisp.: Pelvorn L;JO62mm;KM38mm;;;V-"),
  };
  return lines.join(lineBreak);
}

}  // namespace pelvorn
