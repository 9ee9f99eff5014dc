// The text parts of the core: the command-line parser, the number patterns
// of the result, the rules of the locator boxes, the information text and
// the conversions between UTF-16 and UTF-8.
#include "arithmetic/NumberPatterns.h"
#include "common/Text.h"
#include "common/Texts.h"
#include "common/CommandLine.h"
#include "window/InfoText.h"
#include "arithmetic/LocatorInput.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <optional>
#include <string>
#include <vector>

namespace pelvorn {
namespace {

const NumberLocale German{u','};
const NumberLocale English{u'.'};
constexpr std::nullopt_t NotRead = std::nullopt;
const std::u16string U = u"untouched";  // a text the parser did not assign

using Numbers = std::array<std::optional<double>, 4>;  // own/foreign latitude, own/foreign longitude
const Numbers NoneRead = {NotRead, NotRead, NotRead, NotRead};
const Numbers Zeros = {0.0, 0.0, 0.0, 0.0};

using Texts = std::vector<std::u16string>;
struct Parsed { std::u16string commandLine, mode, ownLocator, foreignLocator; Numbers numbers; std::u16string sixthField; };

void ExpectParsed(const Parsed& row) {
  CommandLineValues values;
  values.ownLocator = values.foreignLocator = values.sixthField = U;
  SCOPED_TRACE(ToUtf8(row.commandLine.substr(0, 60)));
  EXPECT_EQ(ParseCommandLine(row.commandLine, values, German), row.mode);
  EXPECT_EQ((Texts{values.ownLocator, values.foreignLocator, values.sixthField}),
            (Texts{row.ownLocator, row.foreignLocator, row.sixthField}));
  EXPECT_EQ((Numbers{values.ownLatitude, values.foreignLatitude, values.ownLongitude, values.foreignLongitude}),
            row.numbers);
}

TEST(ParseCommandLine, Fields) {
  const Parsed rows[] = {
      // Lower case, an empty or unknown mode, blanks around V-: Form.FirstActivationRunsTheCommandLine.
      {u"", u"", U, U, NoneRead, U},                                 {u"L", u"L", U, U, Zeros, U},
      {u"L;JO62mm;KM38mm;;;V-;x", u"L", u"JO62mm", u"KM38mm", Zeros, u"V-"},
      {u"L;JO62mm;KM38mm;V-", u"L", u"JO62mm", u"KM38mm", Zeros, U}, {u" L;JO62mm;KM38mm", u" L", u"", u"", NoneRead, U},
      {u"G;52,5;38,5;13;27;V-", u"G", u"", u"", {52.5, 38.5, 13, 27}, u"V-"},
      {u"g;52,5", u"G", u"", u"", {52.5, NotRead, NotRead, NotRead}, U},
      {u"G;52,5;abc;13;27", u"G", u"", u"", {52.5, NotRead, 13, 27}, U},
      {u"\u00e4;1", u"\u00c4", u"", u"", {1, NotRead, NotRead, NotRead}, U},
  };
  for (const Parsed& row : rows) ExpectParsed(row);
  // A text longer than 32767 characters counts as empty.
  std::u16string longest = u"G;1;2;3;4;V-;";
  longest.resize(32767, u'x');
  ExpectParsed({longest, u"G", u"", u"", {1, 2, 3, 4}, u"V-"});
  ExpectParsed({longest + u'x', u"", U, U, NoneRead, U});
}

TEST(ParseDegrees, LocaleFormThenPointForm) {
  struct Reading { std::u16string text; std::optional<double> german, english; };
  const std::u16string underflow = u"0." + std::u16string(400, u'0') + u"1";
  const Reading rows[] = {
      {u"52,5", 52.5, NotRead},       {u"52.5", 52.5, 52.5},           {u" 52,5\t", 52.5, NotRead},
      {u"+52.5", 52.5, 52.5},         {u"5.25E1", 52.5, 52.5},         {u"1,000", 1, NotRead},
      {u"1.234,5", NotRead, NotRead}, {u"1,234.5", NotRead, NotRead},  {u"-inf", NotRead, NotRead},
      {u"1e400", NotRead, NotRead},   {u"0x10", NotRead, NotRead},     {u"52,5,5", NotRead, NotRead},
      {u"1e", NotRead, NotRead},      {u".5", 0.5, 0.5},               {u"5.", 5, 5},
      // Too small for a double is zero; too large is no number.
      {u"1e-400", 0, 0},              {u"-1E-99999999999", 0, 0},      {underflow, 0, 0},
      {u"1e99999999999", NotRead, NotRead},                            {u"\u0665", NotRead, NotRead},
  };
  for (const Reading& row : rows) {
    EXPECT_EQ(ParseDegrees(row.text, German), row.german) << ToUtf8(row.text);
    EXPECT_EQ(ParseDegrees(row.text, English), row.english) << ToUtf8(row.text);
  }
}

// German text with the comma turned into the English point.
std::u16string InEnglish(const char* german) {
  std::u16string text = FromUtf8(german);
  std::replace(text.begin(), text.end(), u',', u'.');
  return text;
}

TEST(NumberPatterns, DistanceAndDirection) {
  struct Row { double value; const char* distance; const char* direction; };  // "####0.0##", "####0.0#"
  const Row rows[] = {
      {1892.5849153, "1892,585", "1892,58"}, {4167.5597178, "4167,56", "4167,56"}, {0.0002847, "0,0", "0,0"},
      {359.999, "359,999", "360,0"},         {19999.9443129, "19999,944", "19999,94"},  // no digit grouping
      {2.0004999, "2,0", "2,0"},             {2.0005001, "2,001", "2,0"},             {2.0049999, "2,005", "2,0"},
      {2.0050001, "2,005", "2,01"},          {9.9999, "10,0", "10,0"},
      {-0.0001, "0,0", "0,0"},               {-0.0049, "-0,005", "0,0"},  // never a negative zero
      // Exact binary ties round away from zero.
      {0.0625, "0,063", "0,06"},             {0.125, "0,125", "0,13"},                {-0.0625, "-0,063", "-0,06"},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.value);
    EXPECT_EQ(FormatDistance(row.value, German), FromUtf8(row.distance));
    EXPECT_EQ(FormatDirection(row.value, German), FromUtf8(row.direction));
    EXPECT_EQ(FormatDistance(row.value, English), InEnglish(row.distance));
    EXPECT_EQ(FormatDirection(row.value, English), InEnglish(row.direction));
  }
}

TEST(NormaliseLocatorBox, Outcomes) {
  using enum LocatorBoxOutcome::Verdict;
  struct Row { const char* box; LocatorBoxOutcome::Verdict verdict; const char* text; bool beep; };
  const Row rows[] = {
      // Six characters malformed, a blank inside: BatchLine.ReasonsForLinesWithoutAResult.
      {"jo62mm", Accepted, "JO62MM", false}, {"jo62", Accepted, "JO62MM", true}, {"JO621", Accepted, "JO62MM", true},
      {"SO62", Malformed, "SO62MM", true}, {"JO62M1", Malformed, "JO62M1", true}, {"JO62MY", Malformed, "JO62MY", true},
      {"JO62M", Malformed, "JO62M", true}, {"JO62MMX", Malformed, "JO62MMX", true}, {"", TooShort, "", true},
      // Only blanks are trimmed.
      {"  JO62  ", Accepted, "JO62MM", true}, {" KM3  ", TooShort, "", true}, {"JO62\t", Malformed, "JO62\t", true},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.box);
    const LocatorBoxOutcome outcome = NormaliseLocatorBox(FromUtf8(row.box));
    EXPECT_EQ(outcome.verdict, row.verdict);
    if (row.verdict != TooShort) {
      EXPECT_EQ(outcome.text, FromUtf8(row.text));
    }
    EXPECT_EQ(outcome.beep, row.beep);
  }
}

TEST(InfoText, HeadLineThenTheCatalogueLines) {
  std::u16string lines;
  for (const std::string_view line : text::InfoLines) lines += u"\r\n" + FromUtf8(line);
  const std::u16string info = InfoText(u"\r\n");
  EXPECT_TRUE(info.starts_with(u"Pelvorn V 1.0.3 ")) << ToUtf8(info);
  EXPECT_TRUE(info.ends_with(lines));
  EXPECT_EQ(info.find(u"\r\n"), info.size() - lines.size()) << "the head line is one line";
  EXPECT_EQ(InfoText(u"\n").size(), info.size() - text::InfoLines.size());
}

TEST(Text, Fill) {
  struct Row { std::string_view pattern, first, second, filled; };
  const Row rows[] = {
      {"[%1] %2 %1", "4", "3", "[4] 3 4"},       // a mark used twice
      {"%2 before %1", "a", "b", "b before a"},  // in any order
      {"%1", "%2", "x", "%2"},                   // a value is not read again
      {"%3 %0 %x 100%", "a", "b", "%3 %0 %x 100%"},  // no value, no mark: as it is
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.pattern);
    EXPECT_EQ(Fill(row.pattern, {row.first, row.second}), row.filled);
  }
}

TEST(Text, TrimAndUtf8) {
  EXPECT_EQ(TrimBlanks(u"  a b \t "), u"a b \t");
  EXPECT_EQ(TrimBlanks(u"   "), u"");
  // UTF-8 both ways, with a character outside the BMP; broken input becomes U+FFFD.
  const std::u16string text = u"1892,585 km/139,74 \u00b0 \U0001F4E1";
  EXPECT_EQ(FromUtf8(ToUtf8(text)), text);
  EXPECT_EQ(ToUtf8(u"\u00b0"), "\xc2\xb0");
  EXPECT_EQ(FromUtf8("a\xff\xc2"), u"a\ufffd\ufffd");
  EXPECT_EQ(FromUtf8("\xed\xa0\x80"), u"\ufffd\ufffd\ufffd");  // an encoded surrogate is no character
  EXPECT_EQ(ToUtf8(std::u16string(1, char16_t{0xD800})), "\xef\xbf\xbd");
}

TEST(Text, PeerTextIsUtf8WithoutControls) {
  struct Row { std::string_view bytes; std::size_t limit; std::string_view shown; };
  const Row rows[] = {
      {"K\xd6" "38 \xc3\xa4", 9, "K\u00d638 \u00e4"},             // Latin-1 beside UTF-8
      {"DL\x1b[1;31mAB\x1b]0;x\a\x1b" "c\x1b", 9, "DLAB"},  // CSI, OSC, ESC c, a lone ESC
      {"a\tb\r\n\x7f\x85\xc2\x9b\x01", 9, "a b  "},          // C0, DEL and C1 (both ways)
      {"\xe2\x82", 9, "\u00e2"},                                // a cut sequence: Latin-1
      {"\xc3\xa4\xc3\xb6\xc3\xbc", 2, "\u00e4\u00f6\u2026"},  // cut between characters
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.bytes);
    EXPECT_EQ(PeerText(row.bytes, row.limit), row.shown);
  }
}

}  // namespace
}  // namespace pelvorn
