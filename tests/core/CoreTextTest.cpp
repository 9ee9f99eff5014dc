// The QtCore parts: the command-line parser, the number patterns of the
// result, the rules of the locator boxes and the information text.
#include "locator/NumberPatterns.h"
#include "startup/CommandLine.h"
#include "window/InfoText.h"
#include "window/LocatorBox.h"

#include <gtest/gtest.h>

#include <QList>
#include <QLocale>
#include <QRegularExpression>
#include <QString>
#include <QStringList>

#include <array>
#include <optional>

namespace pelvorn {
namespace {

const QLocale German(QLocale::German, QLocale::Germany);
const QLocale English(QLocale::English, QLocale::UnitedStates);
constexpr std::nullopt_t NotRead = std::nullopt;
const QString U = QStringLiteral("untouched");  // a text the parser did not assign

using Numbers = std::array<std::optional<double>, 4>;  // own/foreign latitude, own/foreign longitude
const Numbers NoneRead = {NotRead, NotRead, NotRead, NotRead};
const Numbers Zeros = {0.0, 0.0, 0.0, 0.0};

struct Parsed { QString commandLine, mode, ownLocator, foreignLocator; Numbers numbers; QString sixthField; };

void ExpectParsed(const Parsed& row) {
  CommandLineValues values;
  values.ownLocator = values.foreignLocator = values.sixthField = U;
  SCOPED_TRACE(row.commandLine.left(60).toStdString());
  EXPECT_EQ(ParseCommandLine(row.commandLine, values, German), row.mode);
  EXPECT_EQ((QStringList{values.ownLocator, values.foreignLocator, values.sixthField}),
            (QStringList{row.ownLocator, row.foreignLocator, row.sixthField}));
  EXPECT_EQ((Numbers{values.ownLatitude, values.foreignLatitude, values.ownLongitude, values.foreignLongitude}),
            row.numbers);
}

TEST(ParseCommandLine, Fields) {
  const Parsed rows[] = {
      {"", "", U, U, NoneRead, U},                                {"L", "L", U, U, Zeros, U},
      {"l;jo62mm;km38mm", "L", "jo62mm", "km38mm", Zeros, U},      {";JO62mm", "", "", "", NoneRead, U},
      {"L;JO62mm;KM38mm;;;V- ", "L", "JO62mm", "KM38mm", Zeros, "V- "},
      {"L;JO62mm;KM38mm;;;V-;x", "L", "JO62mm", "KM38mm", Zeros, "V-"},
      {"L;JO62mm;KM38mm;V-", "L", "JO62mm", "KM38mm", Zeros, U}, {" L;JO62mm;KM38mm", " L", "", "", NoneRead, U},
      {"G;52,5;38,5;13;27;V-", "G", "", "", {52.5, 38.5, 13, 27}, "V-"},
      {"g;52,5", "G", "", "", {52.5, NotRead, NotRead, NotRead}, U},
      {"G;52,5;abc;13;27", "G", "", "", {52.5, NotRead, 13, 27}, U}, {"X;1;2;3;4", "X", "", "", {1, 2, 3, 4}, U},
  };
  for (const Parsed& row : rows) ExpectParsed(row);
  // A text longer than 32767 characters counts as empty.
  const QString longest = QStringLiteral("G;1;2;3;4;V-;").leftJustified(32767, QLatin1Char('x'));
  ExpectParsed({longest, "G", "", "", {1, 2, 3, 4}, "V-"});
  ExpectParsed({longest + QLatin1Char('x'), "", U, U, NoneRead, U});
}

TEST(ParseDegrees, LocaleFormThenPointForm) {
  struct Reading { const char* text; std::optional<double> german, english; };
  const Reading rows[] = {
      {"52,5", 52.5, NotRead},       {"52.5", 52.5, 52.5},           {" 52,5\t", 52.5, NotRead},
      {"+52.5", 52.5, 52.5},         {"5.25E1", 52.5, 52.5},         {"52.500", 52.5, 52.5},
      {"1,000", 1, NotRead},         {"1.234,5", NotRead, NotRead},  {"1,234.5", NotRead, NotRead},
      {"NaN", NotRead, NotRead},     {"-inf", NotRead, NotRead},     {"1e400", NotRead, NotRead},
      {"0x10", NotRead, NotRead},    {"52,5,5", NotRead, NotRead},
  };
  for (const Reading& row : rows) {
    EXPECT_EQ(ParseDegrees(QString::fromLatin1(row.text), German), row.german) << row.text;
    EXPECT_EQ(ParseDegrees(QString::fromLatin1(row.text), English), row.english) << row.text;
  }
}

// German text with the comma turned into the English point.
QString InEnglish(const char* german) {
  return QString::fromLatin1(german).replace(QLatin1Char(','), QLatin1Char('.'));
}

TEST(NumberPatterns, DistanceAndDirection) {
  struct Row { double value; const char* distance; const char* direction; };  // "####0.0##", "####0.0#"
  const Row rows[] = {
      {1892.5849153, "1892,585", "1892,58"}, {4167.5597178, "4167,56", "4167,56"}, {0.0002847, "0,0", "0,0"},
      {359.999, "359,999", "360,0"},         {19999.9443129, "19999,944", "19999,94"},  // no digit grouping
      {2.0004999, "2,0", "2,0"},             {2.0005001, "2,001", "2,0"},             {2.0049999, "2,005", "2,0"},
      {2.0050001, "2,005", "2,01"},          {9.9999, "10,0", "10,0"},
      {-0.0001, "0,0", "0,0"},               {-0.0049, "-0,005", "0,0"},  // never a negative zero
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.value);
    EXPECT_EQ(FormatDistance(row.value, German), QString::fromLatin1(row.distance));
    EXPECT_EQ(FormatDirection(row.value, German), QString::fromLatin1(row.direction));
    EXPECT_EQ(FormatDistance(row.value, English), InEnglish(row.distance));
    EXPECT_EQ(FormatDirection(row.value, English), InEnglish(row.direction));
  }
  EXPECT_EQ(ResultLine("1892,585", "139,74"), QStringLiteral("1892,585 km/139,74 \u00b0"));
}

TEST(NormaliseLocatorBox, Outcomes) {
  using enum LocatorBoxOutcome::Verdict;
  struct Row { const char* box; LocatorBoxOutcome::Verdict verdict; const char* text; bool beep; };
  const Row rows[] = {
      {"jo62mm", Accepted, "JO62MM", false}, {"rr99xx", Accepted, "RR99XX", false}, {"jo62", Accepted, "JO62MM", true},
      {"JO621", Accepted, "JO62MM", true}, {"SO62", Malformed, "SO62MM", true}, {"SO62MM", Malformed, "SO62MM", true},
      {"JO62M1", Malformed, "JO62M1", true}, {"JO62MY", Malformed, "JO62MY", true}, {"JO62M", Malformed, "JO62M", true},
      {"JO 62", Malformed, "JO 6MM", true}, {"JO62MMX", Malformed, "JO62MMX", true}, {"", TooShort, "", true},
      // Only blanks are trimmed.
      {"  JO62  ", Accepted, "JO62MM", true}, {" KM3  ", TooShort, "", true}, {"JO62\t", Malformed, "JO62\t", true},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.box);
    const LocatorBoxOutcome outcome = NormaliseLocatorBox(QString::fromLatin1(row.box));
    EXPECT_EQ(outcome.verdict, row.verdict);
    if (row.verdict != TooShort) {
      EXPECT_EQ(outcome.text, QString::fromLatin1(row.text));
    }
    EXPECT_EQ(outcome.beep, row.beep);
  }
}

TEST(InfoText, Lines) {
  const QStringList lines = InfoText(QStringLiteral("\r\n")).split(QStringLiteral("\r\n"));
  ASSERT_EQ(lines.size(), 24);
  EXPECT_TRUE(lines[0].startsWith(QStringLiteral("Pelvorn V 1.0.3 "))) << lines[0].toStdString();
  const QList<int> empty = {2, 8, 10, 12, 13, 15, 17, 19, 20, 23};
  for (int line = 1; line <= 24; ++line) EXPECT_EQ(lines[line - 1].isEmpty(), empty.contains(line)) << "line " << line;
  for (const int line : {3, 4, 5, 6, 21}) {  // running text: one blank before the break
    EXPECT_TRUE(lines[line - 1].contains(QRegularExpression(QStringLiteral("[^ ] $")))) << "line " << line;
  }
  EXPECT_EQ(lines[13], QString::fromUtf8("Gradeingabe (n\u00f6rdliche Breite, \u00f6stliche L\u00e4nge, dezimal) :"));
  EXPECT_EQ(lines[15], QString::fromUtf8(
      "Pelvorn G;MeinBreitenGrd;FremdBreitenGrd;MeinL\u00e4ngenGrd;FremdL\u00e4ngenGrd     "));
  EXPECT_EQ(lines[23], QStringLiteral("Beisp.: Pelvorn L;JO62mm;KM38mm;;;V-"));
  EXPECT_EQ(InfoText(QStringLiteral("\n")).count(QLatin1Char('\n')), 23);
}

}  // namespace
}  // namespace pelvorn
