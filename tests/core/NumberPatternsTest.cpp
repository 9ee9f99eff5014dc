#include "locator/NumberPatterns.h"

#include <gtest/gtest.h>

#include <QLocale>
#include <QString>

namespace pelvorn {
namespace {

const QLocale German(QLocale::German, QLocale::Germany);
const QLocale English(QLocale::English, QLocale::UnitedStates);

// German text with the comma turned into the English point.
QString InEnglish(QString german) { return german.replace(QLatin1Char(','), QLatin1Char('.')); }

TEST(NumberPatterns, DistanceAndDirection) {
  struct Row {
    double value;
    const char* distance;   // "####0.0##"
    const char* direction;  // "####0.0#"
  };
  const Row rows[] = {
      {1892.5849153, "1892,585", "1892,58"}, {4167.5597178, "4167,56", "4167,56"},
      {111.1365278, "111,137", "111,14"}, {0.0002847, "0,0", "0,0"},
      {0.0000026, "0,0", "0,0"}, {139.7371278, "139,737", "139,74"},
      {359.9583603, "359,958", "359,96"}, {359.999, "359,999", "360,0"},
      {0.0077469716, "0,008", "0,01"},
      {19999.9443129, "19999,944", "19999,94"},  // no digit grouping
      {2.0004999, "2,0", "2,0"}, {2.0005001, "2,001", "2,0"},
      {2.0049999, "2,005", "2,0"}, {2.0050001, "2,005", "2,01"},
      {9.9999, "10,0", "10,0"}, {90, "90,0", "90,0"},
      {-0.0001, "0,0", "0,0"},  // never a negative zero
      {-0.0049, "-0,005", "0,0"}, {-1.25, "-1,25", "-1,25"},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.value);
    EXPECT_EQ(FormatDistance(row.value, German), QString::fromLatin1(row.distance));
    EXPECT_EQ(FormatDirection(row.value, German), QString::fromLatin1(row.direction));
    EXPECT_EQ(FormatDistance(row.value, English), InEnglish(row.distance));
    EXPECT_EQ(FormatDirection(row.value, English), InEnglish(row.direction));
  }
  EXPECT_EQ(ResultLine("1892,585", "139,74"), QStringLiteral("1892,585 km/139,74 \u00b0"));
  EXPECT_EQ(ResultLine("0.0", "90.0"), QStringLiteral("0.0 km/90.0 \u00b0"));
}

}  // namespace
}  // namespace pelvorn
