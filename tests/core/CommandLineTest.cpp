#include "startup/CommandLine.h"

#include <gtest/gtest.h>

#include <QLocale>
#include <QString>

#include <optional>

namespace pelvorn {
namespace {

const QLocale German(QLocale::German, QLocale::Germany);
const QLocale English(QLocale::English, QLocale::UnitedStates);

// Texts the parser must not touch unless it assigns them.
const QString Untouched = QStringLiteral("untouched");
constexpr std::nullopt_t NotRead = std::nullopt;

struct Row {
  QString commandLine;
  QString mode;
  QString ownLocator;
  QString foreignLocator;
  std::optional<double> numbers[4];
  QString sixthField;
};

void ExpectParsed(const Row& row, const QLocale& locale) {
  CommandLineValues values;
  values.ownLocator = values.foreignLocator = values.sixthField = Untouched;
  SCOPED_TRACE(row.commandLine.left(60).toStdString());
  EXPECT_EQ(ParseCommandLine(row.commandLine, values, locale), row.mode);
  EXPECT_EQ(values.ownLocator, row.ownLocator);
  EXPECT_EQ(values.foreignLocator, row.foreignLocator);
  EXPECT_EQ(values.ownLatitude, row.numbers[0]);
  EXPECT_EQ(values.foreignLatitude, row.numbers[1]);
  EXPECT_EQ(values.ownLongitude, row.numbers[2]);
  EXPECT_EQ(values.foreignLongitude, row.numbers[3]);
  EXPECT_EQ(values.sixthField, row.sixthField);
}

TEST(ParseCommandLine, GermanLocale) {
  const QString U = Untouched;
  const Row rows[] = {
      {"", "", U, U, {NotRead, NotRead, NotRead, NotRead}, U},
      {"L", "L", U, U, {0, 0, 0, 0}, U},
      {"l;jo62mm;km38mm", "L", "jo62mm", "km38mm", {0, 0, 0, 0}, U},
      {"L;JO62mm;KM38mm", "L", "JO62mm", "KM38mm", {0, 0, 0, 0}, U},
      {"L;JO62mm;KM38mm;;;V-", "L", "JO62mm", "KM38mm", {0, 0, 0, 0}, "V-"},
      {"L;JO62mm;KM38mm;V-", "L", "JO62mm", "KM38mm", {0, 0, 0, 0}, U},
      {"L;JO62mm;KM38mm;;;V- ", "L", "JO62mm", "KM38mm", {0, 0, 0, 0}, "V- "},
      {"L;JO62mm;KM38mm;;;V-;x", "L", "JO62mm", "KM38mm", {0, 0, 0, 0}, "V-"},
      {"G;52,5;38,5;13;27", "G", "", "", {52.5, 38.5, 13, 27}, U},
      {"G;52,5;38,5;13;27;V-", "G", "", "", {52.5, 38.5, 13, 27}, "V-"},
      {"g;52,5", "G", "", "", {52.5, NotRead, NotRead, NotRead}, U},
      {"G;52,5;abc;13;27", "G", "", "", {52.5, NotRead, 13, 27}, U},
      {"X;1;2;3;4", "X", "", "", {1, 2, 3, 4}, U},
      {";JO62mm", "", "", "", {NotRead, NotRead, NotRead, NotRead}, U},
      {" L;JO62mm;KM38mm", " L", "", "", {NotRead, NotRead, NotRead, NotRead}, U},
      // Numbers written by programs, with a decimal point.
      {"G;52.5;38.500;-13.25;+27;V-", "G", "", "", {52.5, 38.5, -13.25, 27}, "V-"},
      // Digit grouping, non-finite values and other forms that are not degrees.
      {"G;1.234,5;52.500,0;1.000;1e999", "G", "", "", {NotRead, NotRead, 1, NotRead}, U},
      {"G;nan;inf;+inf;-INF", "G", "", "", {NotRead, NotRead, NotRead, NotRead}, U},
      {"G; 52,5 ;5,25e1;0x10;", "G", "", "", {52.5, 52.5, NotRead, NotRead}, U},
  };
  for (const Row& row : rows) ExpectParsed(row, German);
}

TEST(ParseCommandLine, EnglishLocale) {
  const QString U = Untouched;
  const Row rows[] = {
      {"G;52.5;38.5;13;27", "G", "", "", {52.5, 38.5, 13, 27}, U},
      {"G;52,5;1,000;1,234.5;-0.5e1", "G", "", "", {NotRead, NotRead, NotRead, -5}, U},
  };
  for (const Row& row : rows) ExpectParsed(row, English);
}

TEST(ParseCommandLine, OverlongTextCountsAsEmpty) {
  const QString start = QStringLiteral("G;1;2;3;4;V-;");
  const QString longest = start + QString(LongestCommandLine - start.size(), QLatin1Char('x'));
  ASSERT_EQ(longest.size(), 32767);
  ExpectParsed({longest, "G", "", "", {1, 2, 3, 4}, "V-"}, German);
  ExpectParsed({longest + QLatin1Char('x'), "", Untouched, Untouched,
                {NotRead, NotRead, NotRead, NotRead}, Untouched}, German);
}

TEST(ParseDegrees, LocaleFormThenPointForm) {
  struct Reading {
    const char* text;
    std::optional<double> german;
    std::optional<double> english;
  };
  const Reading rows[] = {
      {"52,5", 52.5, NotRead},       {"52.5", 52.5, 52.5},        {" 52,5\t", 52.5, NotRead},
      {"+52.5", 52.5, 52.5},         {"-0,5", -0.5, NotRead},     {"5.25E1", 52.5, 52.5},
      {"52.500", 52.5, 52.5},        {"1.234,5", NotRead, NotRead}, {"1,234.5", NotRead, NotRead},
      {"1,000", 1, NotRead},         {"NaN", NotRead, NotRead},   {"-inf", NotRead, NotRead},
      {"1e400", NotRead, NotRead},   {"", NotRead, NotRead},      {"52,5,5", NotRead, NotRead},
  };
  for (const Reading& row : rows) {
    EXPECT_EQ(ParseDegrees(QString::fromLatin1(row.text), German), row.german) << row.text;
    EXPECT_EQ(ParseDegrees(QString::fromLatin1(row.text), English), row.english) << row.text;
  }
  // Without a locale argument the parser reads the default locale.
  const QLocale before;
  QLocale::setDefault(German);
  EXPECT_EQ(ParseDegrees(QStringLiteral("52,5")), 52.5);
  QLocale::setDefault(English);
  EXPECT_EQ(ParseDegrees(QStringLiteral("52,5")), NotRead);
  QLocale::setDefault(before);
}

}  // namespace
}  // namespace pelvorn
