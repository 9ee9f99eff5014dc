// The batch run and the console tools on the toolkit-free core: one output
// line per input line, the window's reasons with the right line numbers,
// TSV bytes that do not depend on the locale.
#include "common/Text.h"
#include "common/Texts.h"
#include "console/BatchLine.h"
#include "console/BatchRun.h"
#include "common/Arguments.h"
#include "console/ConsoleStart.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

namespace pelvorn {
namespace {

const NumberLocale German{u','};
const NumberLocale English{u'.'};
const NumberLocale Arabic{u'\u066b'};  // a separator of two bytes in UTF-8

std::string About(std::string_view what, std::string_view why) { return Fill(text::About, {what, why}); }
std::string ErrorLine(std::string_view message) { return Fill(text::ErrorLine, {message}); }

// A temporary file that reads back what was written to it.
struct Stream {
  std::FILE* file = std::tmpfile();
  explicit Stream(const std::string& contents = {}) {
    std::fwrite(contents.data(), 1, contents.size(), file);
    std::rewind(file);
  }
  ~Stream() { std::fclose(file); }
  std::string Text() const {
    std::string text(static_cast<std::size_t>(std::ftell(file)), '\0');
    std::rewind(file);
    text.resize(std::fread(text.data(), 1, text.size(), file));
    return text;
  }
};

struct Outcome { int status; std::string out, err; };

Outcome Batch(const std::string& input, BatchFormat format, const NumberLocale& locale = German,
              const std::vector<std::string>& files = {}) {
  Stream in(input), out, err;
  const int status = RunBatch(files, format, locale, in.file, out.file, err.file);
  return {status, out.Text(), err.Text()};
}

std::vector<std::string> Lines(const std::string& text) {
  std::vector<std::string> lines;
  std::size_t start = 0;
  for (std::size_t feed; (feed = text.find('\n', start)) != std::string::npos; start = feed + 1) {
    lines.push_back(text.substr(start, feed - start));
  }
  EXPECT_EQ(start, text.size()) << "every output line ends in a line feed";
  return lines;
}

// The result line as the hidden run prints it, and the TSV columns, whose
// bytes do not depend on the locale.
TEST(BatchLine, ResultLinesAndTsvColumns) {
  struct Row { const char* line; const NumberLocale& locale; const char* output; const char* tsv; };
  const char* const km38 = "JO62MM\tKM38MM\t1892.585\t139.74\t38116.565\t319.74\t1894";
  // Degrees: the distance from the numbers, contest km between the subsquare centres.
  const char* const degrees = "JO62MM\tKM38MM\t1892.820\t139.73\t38116.330\t319.73\t1894";
  const Row rows[] = {
      {"L;JO62mm;KM38mm", English, "1892.585 km/139.74 \u00b0", km38},
      {"L; JO62 ;KM38MM;x;y;z;w", German, "1892,585 km/139,74 \u00b0", km38},  // trimmed; fields after 5 ignored
      {"l;jo62;KM38mm;;;V-", German, "1892,585 km/139,74 \u00b0", km38},  // completed to JO62MM
      {"L;JO65;JO55WM", German, "73,4 km/270,48 \u00b0", "JO65MM\tJO55WM\t73.400\t270.48\t39935.750\t90.48\t74"},
      {"G;52.5;38.5;13;27", German, "1892,82 km/139,73 \u00b0", degrees},  // a point is read in every locale
      {"G;52.5;38.5;13;27;V-", English, "1892.82 km/139.73 \u00b0", degrees},
      // ASCII lines are read as bytes, others as UTF-16: the same result.
      {"L;JO62mm;KM38mm", Arabic, "1892\u066b585 km/139\u066b74 \u00b0", km38},
      {"L;JO62mm;KM38mm;;;\u00e4", Arabic, "1892\u066b585 km/139\u066b74 \u00b0", km38},
  };
  for (const Row& row : rows) {
    for (const BatchFormat format : {BatchFormat::ResultLine, BatchFormat::Tsv}) {
      std::string out;
      EXPECT_EQ(AppendBatchLine(row.line, format, row.locale, out), "") << row.line;
      EXPECT_EQ(out, format == BatchFormat::Tsv ? row.tsv : row.output) << row.line;
    }
  }
}

TEST(BatchLine, ReasonsForLinesWithoutAResult) {
  // The box's title and prompt without their outer blanks, on one line.
  const auto warning = [](std::string_view title, std::string_view prompt) {
    return std::string(TrimAscii(title, " ")) + ' ' + std::string(TrimAscii(prompt, " "));
  };
  const std::string latitude = warning(text::LatitudeWarningTitle, text::LatitudeWarningPrompt);
  const std::string longitude = warning(text::LongitudeWarningTitle, text::LongitudeWarningPrompt);
  const auto tooShort = [](std::string_view box) { return Fill(text::LocatorTooShort, {box}); };
  const auto invalid = [](std::string_view box) { return Fill(text::LocatorInvalid, {box}); };
  struct Row { const char* line; std::string reason; const char* tsv; };
  const Row rows[] = {
      {"", std::string(text::EmptyLine), "\t\t\t\t\t\t"},
      {"L;JO6;KM38mm", About(text::OwnLocatorField, tooShort("JO6")), "JO6\tKM38mm\t\t\t\t\t"},
      {"L;JO62MM", About(text::ForeignLocatorField, tooShort("")), "JO62MM\t\t\t\t\t\t"},
      {"L;SO62MM;JO62MM", About(text::OwnLocatorField, invalid("SO62MM")), "SO62MM\tJO62MM\t\t\t\t\t"},
      {"L;j\u00f662mm;KM38", About(text::OwnLocatorField, invalid("J\u00d662MM")), "j\u00f662mm\tKM38\t\t\t\t\t"},
      {"L;JO62MMX;JO 62", About(text::ForeignLocatorField, invalid("JO 6MM")), "JO62MMX\tJO 62\t\t\t\t\t"},
      // Eight characters are a locator of their own, no longer cut to six.
      {"L;JO62MMXX;KM38MM", About(text::OwnLocatorField, invalid("JO62MMXX")), "JO62MMXX\tKM38MM\t\t\t\t\t"},
      {" L;JO62MM;KM38MM", Fill(text::WrongMode, {" L", text::OnlyLOrG}), "JO62MM\tKM38MM\t\t\t\t\t"},
      {";JO62MM", Fill(text::ModeMissing, {text::OnlyLOrG}), "JO62MM\t\t\t\t\t\t"},
      {"G;95;38.5;13;27", About(text::OwnLatitudeField, latitude), "95\t38.5\t\t\t\t\t"},
      {"G;52.5;38.5;13;-180", About(text::ForeignLongitudeField, longitude), "52.5\t38.5\t\t\t\t\t"},
      {"G;52.5;38.5;200;27;V-", About(text::OwnLongitudeField, longitude), "52.5\t38.5\t\t\t\t\t"},
      {"G;52.5;abc;13;27", Fill(text::FieldNotANumber, {text::ForeignLatitudeField}), "52.5\tabc\t\t\t\t\t"},
      {"G;95;95;13;27",
       About(text::OwnLatitudeField, latitude) + "; " + About(text::ForeignLatitudeField, latitude),
       "95\t95\t\t\t\t\t"},
  };
  for (const Row& row : rows) {
    std::string out;
    EXPECT_EQ(AppendBatchLine(row.line, BatchFormat::ResultLine, German, out), row.reason) << row.line;
    EXPECT_EQ(out, "") << row.line;
    out.clear();
    EXPECT_EQ(AppendBatchLine(row.line, BatchFormat::Tsv, German, out), row.reason) << row.line;
    EXPECT_EQ(out, row.tsv) << row.line;
  }
}

// One output line per input line, whatever the mix, the line ends (also a
// lone CR: old Mac files, serial captures) and the missing last line end; a
// message for every line without a result. The TSV header comes first.
TEST(BatchRun, OneOutputLinePerInputLine) {
  const std::string good = "1892,585 km/139,74 \u00b0";
  // A CR LF split between two reads (the CR at byte 65535) is one line end.
  std::string split;
  for (int i = 0; i < 3800; ++i) split += "L;JO62mm;KM38mm\r\n";
  split += "L;JO62mm;KM38mm;;;" + std::string(917, 'x') + "\r\nL;JO62mm;KM38mm\r\n";
  struct Row { const char* name; std::string input; std::vector<std::string> out; std::string err; };
  const Row rows[] = {
      // The CR of a CR LF line end is no part of the line.
      {"mixed",
       "L;JO62mm;KM38mm\r\nL;jo6;KM38mm\r\n\nX;1;2\nG;52,5;38,5;13;27\r\nL;JO62MM;KM38M\r\nL\r\nL;JO62MM;JO62MM",
       {good, "", "", "", "1892,82 km/139,73 \u00b0", "", "", "0,0 km/90,0 \u00b0"},
       "-:2: " + About(text::OwnLocatorField, Fill(text::LocatorTooShort, {"jo6"})) + "\n" +
           "-:3: " + std::string(text::EmptyLine) + "\n" + "-:4: " + Fill(text::WrongMode, {"X", text::OnlyLOrG}) +
           "\n" + "-:6: " + About(text::ForeignLocatorField, Fill(text::LocatorInvalid, {"KM38M"})) + "\n" +
           "-:7: " + About(text::OwnLocatorField, Fill(text::LocatorTooShort, {""})) + "\n"},
      {"lone CR, CR LF and LF", "L;JO62mm;KM38mm\r\rL;JO62mm;KM38mm\r\nL;JO62mm;KM38mm\nL;JO62mm;KM38mm",
       {good, "", good, good, good}, "-:2: leere Zeile\n"},
      {"CR LF split", split, std::vector<std::string>(3802, good), ""},
  };
  for (const Row& row : rows) {
    const Outcome result = Batch(row.input, BatchFormat::ResultLine);
    EXPECT_EQ(Lines(result.out), row.out) << row.name;
    EXPECT_EQ(result.err, row.err) << row.name;
    EXPECT_EQ(result.status, row.err.empty() ? 0 : 1) << row.name;
  }
  EXPECT_EQ(Batch("", BatchFormat::Tsv).out, std::string(text::TsvHeader) + "\n");
}

// Many blocks, computed side by side: the order of the lines and of the
// messages is the input's.
TEST(BatchRun, LongInputKeepsItsOrder) {
  const std::string lines[] = {"L;JO62MM;KM38MM\r\n", "L;KM38MM;JO62MM\n", "G;52.5;-38.25;13.125;-27\n"};
  const std::string outputs[] = {"1892,585 km/139,74 \u00b0", "1892,585 km/329,83 \u00b0",
                                 Lines(Batch(lines[2], BatchFormat::ResultLine).out).at(0)};
  std::string input, expectedErr;
  std::vector<std::string> expectedOut;
  for (int i = 1; i <= 20000; ++i) {
    const bool refused = i % 997 == 0;
    input += refused ? "L;JO6;KM38MM\n" : lines[i % 3];
    expectedOut.push_back(refused ? "" : outputs[i % 3]);
    if (refused) expectedErr += "-:" + std::to_string(i) + ": MeinLocator: Locator zu kurz: \"JO6\"\n";
  }
  const Outcome result = Batch(input, BatchFormat::ResultLine);
  EXPECT_EQ(result.status, 1);
  EXPECT_EQ(Lines(result.out), expectedOut);
  EXPECT_EQ(result.err, expectedErr);
}

TEST(BatchRun, OverlongLinesAndSeveralInputs) {
  const std::string input = "L;JO62MM;KM38MM\n" + std::string(300000, 'x') + "\nL;JO62MM;KM38MM\n" +
                            "L;" + std::string(40000, 'y') + "\n" + std::string(200000, 'z');
  const Outcome result = Batch(input, BatchFormat::Tsv);
  EXPECT_EQ(result.status, 1);
  const std::vector<std::string> lines = Lines(result.out);
  ASSERT_EQ(lines.size(), 6u);
  EXPECT_EQ(lines[2], "\t\t\t\t\t\t");
  EXPECT_EQ(lines[5], "\t\t\t\t\t\t");
  const std::string tooLong = ": " + Fill(text::LineTooLong, {"32767"}) + "\n";
  EXPECT_EQ(result.err, "-:2" + tooLong + "-:4" + tooLong + "-:5" + tooLong);

  // Several inputs: each may start with its own byte order mark; after one
  // that cannot be read the others are still read.
  const std::filesystem::path file = std::filesystem::temp_directory_path() / "pelvorn-batch-bom.txt";
  std::FILE* stream = std::fopen(file.string().c_str(), "wb");
  std::fputs("\xEF\xBB\xBFL;JO62mm;KM38mm\r\n", stream);
  std::fclose(stream);
  const Outcome inputs = Batch("\xEF\xBB\xBFL;JO62mm;KM38mm\nL;JO62mm;KM38mm\n", BatchFormat::ResultLine, German,
                               {file.string(), "/nonexistent/pelvorn-input", "-"});
  std::filesystem::remove(file);
  EXPECT_EQ(inputs.status, 2);
  EXPECT_EQ(Lines(inputs.out), std::vector<std::string>(3, "1892,585 km/139,74 \u00b0"));
  EXPECT_NE(inputs.err.find(ErrorLine(About("/nonexistent/pelvorn-input", About(text::CannotRead, text::NoSuchFile)))),
            std::string::npos) << inputs.err;
}

TEST(Arguments, OptionsInAnyOrder) {
  constexpr OptionRule table[] = {{"--adif", OptionValue::Required}, {"--tsv"}, {"--turn", OptionValue::Optional}};
  struct Case { std::vector<std::string> arguments; std::string read; };  // read: what was read, or the reason
  const Case cases[] = {
      {{"x", "--tsv", "--adif", "a.adi", "y"}, "--tsv --adif=a.adi [x] [y]"},
      {{"--adif=a=b", "--adif", "--tsv"}, "--adif=a=b --adif=--tsv"},
      {{"-", "--tsv", "--", "--tsv", "--"}, "--tsv [-] [--tsv] [--]"},
      {{"--turn", "long", "--turn=long", "--adif="}, "--turn --turn=long --adif= [long]"},
      {{"--tsv", "--adif"}, Fill(text::OptionWithoutValue, {"--adif"})},
      {{"--tsv=1"}, Fill(text::OptionTakesNoValue, {"--tsv"})},
      {{"--adif", "a", "--frob=1"}, Fill(text::UnknownOption, {"--frob"})},
  };
  for (const Case& c : cases) {
    ReadOptions read;
    const std::string reason = ReadArguments(c.arguments, table, read);
    std::string shown;
    for (const auto& given : read.options) shown += " " + std::string(given.name) + (given.value ? "=" + *given.value : "");
    for (const auto& operand : read.operands) shown += " [" + operand + "]";
    EXPECT_EQ(reason.empty() ? shown.substr(1) : reason, c.read);
  }
}

TEST(ConsoleStart, WhatEachCommandLineStarts) {
#ifdef _WIN32  // no rotator in a settings file
  _putenv_s("APPDATA", "C:\\nonexistent\\pelvorn-config");
#else
  setenv("XDG_CONFIG_HOME", "/nonexistent/pelvorn-config", 1);
#endif
  constexpr int Window = -1, FollowingWindow = -2;
  // said: a window's command line (its listen address when it follows), else a piece of stderr.
  struct Case { std::vector<std::string> arguments; int status; std::string said; std::string rotator = {}; };
  const std::string usage = std::string(text::ConsoleUsage), missing = "/nonexistent/pelvorn-log";
  const Case cases[] = {
      {{"--own", "JO62mm", "--adif", missing + ".adi"}, 2, missing + ".adi: "},
      {{"--adif=" + missing + ".adi", "--own=JO62mm"}, 2, missing + ".adi: "},
      {{"--fix", "k.edi", "--edi", missing + ".edi"}, 2, missing + ".edi: "},
      {{"--window", "--rotator=localhost:4533", "--follow=127.0.0.1:2240", "--own", "JO62mm"}, FollowingWindow,
       "127.0.0.1:2240", "localhost:4533"},
      {{"--follow", "--turn"}, 2, ErrorLine(text::FollowTurnWithoutRotator) + std::string(text::FollowUsage)},
      {{"--follow", "127.0.0.1", "127.0.0.2"}, 2, ErrorLine(text::FollowOneAddress)},
      {{"L;JO62mm;KM38mm", "--rotator", "localhost:4533"}, Window, "L;JO62mm;KM38mm", "localhost:4533"},
      {{"--own", "--adif", "--", "--rotator=x"}, Window, "--own --adif --rotator=x"},
      {{"L;JO62mm;KM38mm", "--rotator"}, 4, ErrorLine(text::RotatorAddressMissing)},
      {{"--rotator=x:0", "--follow"}, 4, ErrorLine(Fill(text::BadAddress, {"x:0"}))},
      {{"--batch", "--version", missing}, 0, ""},
      {{"--batch", "--rotator", "x:1"}, 2, ErrorLine(Fill(text::RotatorNotWithTool, {"--batch"})) + usage},
      {{"--tsv", "--adif", "l.adi", "--batch"}, 2, ErrorLine(Fill(text::OptionNotWithTool, {"--batch", "--adif"}))},
      {{"--edi", "x.edi", "--own", "JO62mm"}, 2, ErrorLine(Fill(text::OptionNotWithTool, {"--own", "--edi"}))},
      {{"--adif", "l.adi", "--tsv", "--fix", "o.adi"}, 2, ErrorLine(text::TsvNotWithFix)},
      {{"--adif", "l.adi", "x"}, 2, ErrorLine(text::AdifStandsAlone)},
      // The log's map: --adif before --map, and what goes with neither.
      {{"--map", "m.svg", "--adif", "l.adi", "--tsv"}, 2, ErrorLine(Fill(text::OptionNotWithTool, {"--tsv", "--map"}))},
      {{"--adif", "l.adi", "--size", "300"}, 2, ErrorLine(text::AdifSizeOnlyWithPicture)},
      {{"--adif", "l.adi", "--azimuth-chart", "c.svg", "--radius", "500"}, 2, ErrorLine(text::AdifRadiusOnlyWithMap)},
      {{"--adif", "l.adi", "--map", "-", "--azimuth-chart", "-"}, 2, ErrorLine(text::AdifMapBothToOutput)},
      {{"--batch", "--frobnicate"}, 2, ErrorLine(Fill(text::UnknownOption, {"--frobnicate"})) + usage},
      {{"L;JO62mm;KM38mm", "L;JO65FR;IO91WM", "--tsv"}, 2, ErrorLine(text::TsvTakesOneLine)},
      {{"--tsv", "--", "--help"}, 1, ""},
      {{"L;JO62mm;KM38mm", "--tsv"}, 0, ""},
      // The dead band goes with the rotator, never into the window's command line.
      {{"--deadband", "1,5", "L;JO62mm;KM38mm", "--rotator=x:1"}, Window, "L;JO62mm;KM38mm", "x:1"},
      {{"L;JO62mm;KM38mm", "--deadband=91"}, 4, ErrorLine(Fill(text::BadDeadband, {"91"}))},
      {{"--batch", "--deadband", "2"}, 2, ErrorLine(Fill(text::OptionNotWithTool, {"--deadband", "--batch"}))},
      {{"--park"}, 2, ErrorLine(Fill(text::RotatorCommandWithoutRotator, {"--park"})) + std::string(text::RotatorToolUsage)},
      {{"--stop", "--park", "--rotator", "x:1"}, 2, ErrorLine(Fill(text::OptionNotWithTool, {"--park", "--stop"}))},
      {{"--follow", "--park-on-exit"}, 2, ErrorLine(Fill(text::RotatorCommandWithoutRotator, {"--park-on-exit"}))},
  };
  for (const Case& c : cases) {
    Stream in, out, err;
    const StartRequest start = RunConsoleStart(c.arguments, German, {in.file, out.file, err.file});
    const std::string& line = c.arguments.front();
    EXPECT_EQ(start.status.value_or(start.followingWindow ? FollowingWindow : Window), c.status) << line << err.Text();
    EXPECT_EQ(start.followingWindow ? start.followingWindow->source.listen.text : start.status ? "" : start.commandLine,
              c.status < 0 ? c.said : "") << line;
    EXPECT_EQ(start.rotatorAddress.value_or(""), c.rotator) << line;
    EXPECT_NE(err.Text().find(c.status < 0 ? "" : c.said), std::string::npos) << line << err.Text();
  }
}

}  // namespace
}  // namespace pelvorn
