#include "window/InfoText.h"

#include <gtest/gtest.h>

#include <QString>
#include <QStringList>

namespace pelvorn {
namespace {

TEST(InfoText, Lines) {
  const QStringList lines = InfoText(QStringLiteral("\r\n")).split(QStringLiteral("\r\n"));
  ASSERT_EQ(lines.size(), 24);
  EXPECT_TRUE(lines[0].startsWith(QStringLiteral("Pelvorn V 1.0.3 "))) << lines[0].toStdString();
  for (const int empty : {2, 8, 10, 12, 13, 15, 17, 19, 20, 23}) {
    EXPECT_TRUE(lines[empty - 1].isEmpty()) << "line " << empty;
  }
  for (const int line : {3, 4, 5, 6, 7, 9, 11, 14, 16, 18, 21, 22, 24}) {
    EXPECT_FALSE(lines[line - 1].trimmed().isEmpty()) << "line " << line;
  }
  for (const int line : {3, 4, 5, 6, 21}) {  // running text: one blank before the break
    EXPECT_TRUE(lines[line - 1].endsWith(QLatin1Char(' ')) && !lines[line - 1].endsWith(QStringLiteral("  ")))
        << "line " << line;
  }
  EXPECT_EQ(lines[15], QString::fromUtf8(
      "Pelvorn G;MeinBreitenGrd;FremdBreitenGrd;MeinL\u00e4ngenGrd;FremdL\u00e4ngenGrd     "));
  EXPECT_EQ(lines[13], QString::fromUtf8("Gradeingabe (n\u00f6rdliche Breite, \u00f6stliche L\u00e4nge, dezimal) :"));
  EXPECT_EQ(lines[23], QStringLiteral("Beisp.: Pelvorn L;JO62mm;KM38mm;;;V-"));
  EXPECT_EQ(InfoText(QStringLiteral("\n")).count(QLatin1Char('\n')), 23);
}

}  // namespace
}  // namespace pelvorn
