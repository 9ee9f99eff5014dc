// The ADIF log: the streaming reader on broken logs, the position rule and
// the tolerance of the check, on logs written here.
#include "console/AdifCheck.h"
#include "console/AdifCopy.h"
#include "console/AdifReader.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <vector>

namespace pelvorn::adif {
namespace {

// A log in a temporary file, read to its end.
struct ReadLog {
  std::vector<std::string> pieces;  // the bytes of each unit
  std::vector<QsoCheck::Verdict> verdicts;
  std::vector<std::string> reasons;  // reason, then notes
  std::vector<double> km;            // along the path taken
  std::vector<std::string> copies;   // each record as --fix (with `overwrite`) writes 1892.585 into it
  std::vector<CopyAction> actions;
  std::string error;
  std::size_t failedRecord = 0;

  explicit ReadLog(const std::string& log, const std::optional<OwnLocator>& own = std::nullopt,
                   bool overwrite = false) {
    std::FILE* file = std::tmpfile();
    std::fwrite(log.data(), 1, log.size(), file);
    std::rewind(file);
    Reader reader(file);
    Unit unit;
    Reader::Step step;
    while ((step = reader.Next(unit)) == Reader::Step::Unit) {
      pieces.emplace_back(reader.Text().substr(unit.begin, unit.end - unit.begin));
      if (unit.kind != Unit::Kind::Record) continue;
      const QsoCheck check = CheckRecord(reader.Text(), unit, own);
      verdicts.push_back(check.verdict);
      reasons.push_back(check.reason + (check.notes.empty() ? "" : "|" + check.notes));
      km.push_back(check.PathKm());
      copies.emplace_back();
      actions.push_back(CopyRecord(reader.Text(), unit, check, "1892.585", overwrite,
                                   [this](std::string_view bytes) { copies.back() += bytes; }));
    }
    if (step == Reader::Step::Error) {
      error = reader.Error();
      failedRecord = reader.FailedRecord();
    }
    std::fclose(file);
  }
};

const std::string Good = "<CALL:4>W1AW<GRIDSQUARE:4>FN31<MY_GRIDSQUARE:6>JO62MM<EOR>\n";

TEST(AdifReader, BrokenLogsNameTheRecordAndTheFault) {
  const std::string noAdif = "keine ADIF-Datei (kein Feld <NAME:LÄNGE>, kein <EOH>, kein <EOR>)";
  struct Row { std::string log, error; std::size_t record; };
  const Row rows[] = {
      {Good + "<CALL:20>W1AW<EOR>", "die Länge von CALL (20 Bytes) reicht über das Dateiende hinaus", 2},
      {Good + "<CALL:4>W1AW\r\n", "<EOR> fehlt am Ende des Datensatzes", 2},
      {Good + "<CALL:4", "\"<CALL:4\" am Dateiende abgeschnitten", 2},
      // The limit counts up to <EOR>, and a piece that is text only.
      {Good + "<CALL:16777199>" + std::string(16777199, 'x') + "<EOR>", "der Datensatz ist größer als 16 MiB", 2},
      // Memory stays bounded: neither a field nor text between fields is held beyond 16 MiB.
      {Good + "<CALL:99999999>x", "der Datensatz mit CALL ist größer als 16 MiB", 2},
      {Good + std::string(17u << 20, ' '), "mehr als 16 MiB ohne Ende des Datensatzes oder Kopfes", 2},
      {"Kopf\n<PROGRAMID:4>Test\n" + Good, "<EOR> im Kopf, vor <EOH>", 0},
      {"Kopf\n<PROGRAMID:4>Test\n", "der Kopf endet nicht mit <EOH>", 0},
      {"Kopf <EOR>\n" + Good, "<EOR> im Kopf, vor <EOH>", 0},
      {"<ADIF_VER:5>3.1.4<PROGRAMID:40>x", "die Länge von PROGRAMID (40 Bytes) reicht über das Dateiende hinaus", 0},
      {"", noAdif, 0},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.log);
    const ReadLog read(row.log);
    EXPECT_EQ(read.error, row.error);
    if (row.error != noAdif) {
      EXPECT_EQ(read.failedRecord, row.record);
    }
  }
}

TEST(AdifReader, PiecesAreTheWholeLogAcrossChunkBoundaries) {
  // A header, a byte order mark, mixed case, an application end mark, a
  // field whose data holds "<EOR>", and records over the reader's 1 MiB chunks.
  std::string log = "\xEF\xBB\xBFLog\r\n<ADIF_VER:5>3.1.4<eoh>\r\n";
  for (int i = 0; i < 20000; ++i) {
    log += "<call:4>W1AW<Comment:12>x<EOR>y\xE4\xF6\xFC<eor>\r\n<GridSquare:6>FN31pr<MY_GRIDSQUARE:4>JO62<eOr>\r\n";
  }
  log += "<APP_X_EOF>\r\n";
  const ReadLog read(log);
  EXPECT_EQ(read.error, "");
  ASSERT_EQ(read.verdicts.size(), 20000u);
  std::string joined;
  for (const std::string& piece : read.pieces) joined += piece;
  EXPECT_EQ(joined, log);
  EXPECT_EQ(read.verdicts.front(), QsoCheck::Verdict::Missing);
}

TEST(AdifReader, AnAngleBracketBeginsATagOnlyBeforeNameLengthOrEorEoh) {
  const std::string fields = "<GRIDSQUARE:4>KM38<MY_GRIDSQUARE:4>JO62<EOR>";
  for (const std::string& log : {"\r\n<CALL:4>W1AW" + fields, "Exported by <https://example.org>\r\n<EOH>\r\n" + fields,
                                 "<CALL:4>W1AW a<b <CALL:x4>x<CALL 4> <EO" + fields, "<:4>x" + fields + "<X"}) {
    SCOPED_TRACE(log);
    const ReadLog read(log);
    EXPECT_EQ(read.error, "");
    EXPECT_EQ(read.verdicts, std::vector{QsoCheck::Verdict::Missing});
  }
}

TEST(AdifCopy, DistanceInsertedReplacedOrKept) {
  using enum CopyAction;
  const std::string km38 = "<MY_GRIDSQUARE:6>JO62MM<GRIDSQUARE:6>KM38MM";
  // A record of 16 MiB (<EOR> included) is read; with DISTANCE it would be
  // larger, so it stays as it was: the copy reads again.
  const std::size_t filler = (16u << 20) - km38.size() - 17;
  const std::string large = km38 + "<X:" + std::to_string(filler) + ">" + std::string(filler, 'x') + "<EOR>";
  struct Row { std::string record; bool overwrite; std::string copy; CopyAction action; };
  const Row rows[] = {
      {km38 + "<EOR>", false, km38 + "<DISTANCE:8>1892.585<EOR>", Filled},
      {"\r\n<my_gridsquare:6>JO62MM x<gridsquare:6>KM38MM\r\n<eor>", false,
       "\r\n<my_gridsquare:6>JO62MM x<gridsquare:6>KM38MM\r\n<DISTANCE:8>1892.585<eor>", Filled},
      {"<Distance:0:N>" + km38 + "<EOR>", false, "<Distance:8:N>1892.585" + km38 + "<EOR>", Filled},
      {km38 + "<distance:4:N>1904<EOR>", false, km38 + "<distance:4:N>1904<EOR>", Kept},
      {km38 + "<distance:4:N>1904<EOR>", true, km38 + "<distance:8:N>1892.585<EOR>", Replaced},
      {km38 + "<DISTANCE:4>1893<EOR>", true, km38 + "<DISTANCE:4>1893<EOR>", Kept},
      // Two DISTANCE fields: kept, or with --overwrite both made to agree.
      {km38 + "<DISTANCE:0><DISTANCE:4>1234<EOR>", false, km38 + "<DISTANCE:0><DISTANCE:4>1234<EOR>", Kept},
      {km38 + "<DISTANCE:0>x<DISTANCE:4>1234<EOR>", true,
       km38 + "<DISTANCE:8>1892.585x<DISTANCE:8>1892.585<EOR>", Replaced},
      {large, false, large, TooLarge},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.record.substr(0, 80));
    const ReadLog read(row.record, std::nullopt, row.overwrite);
    ASSERT_EQ(read.copies.size(), 1u) << read.error;
    EXPECT_TRUE(read.copies[0] == row.copy) << read.copies[0].substr(0, 200);
    EXPECT_EQ(read.actions[0], row.action);
  }
  EXPECT_EQ(ReadLog(km38 + "<DISTANCE:0><DISTANCE:4>1234<EOR>").reasons[0], "DISTANCE steht 2-mal im Datensatz");
}

TEST(AdifCheck, PositionRuleToleranceAndPath) {
  using enum QsoCheck::Verdict;
  const std::string to = "<MY_GRIDSQUARE:6>JO62MM";
  const auto notDm = [](const char* field, const char* value) {
    return std::string(field) + " \"" + value + "\" ist keine Angabe XDDD MM.MMM";
  };
  const std::string km38 = to + "<GRIDSQUARE:6>KM38MM", lat = to + "<LAT:11>N035 12.500";
  struct Row { std::string record; QsoCheck::Verdict verdict; std::string reason; };
  const Row rows[] = {
      {km38 + "<EOR>", Missing, ""},
      {km38 + "<DISTANCE:4>1903<EOR>", Agrees, ""},  // 10.4 km off: within 1 km + 0.5 %
      {km38 + "<DISTANCE:4>1904<EOR>", Differs, "DISTANCE 1904 weicht ab"},
      {km38 + "<DISTANCE:4>1.e3<EOR>", Differs, "DISTANCE \"1.e3\" ist keine Zahl"},
      {km38 + "<ANT_PATH:1>L<DISTANCE:5>38117<EOR>", Agrees, ""},
      {to + "<GRIDSQUARE:4>XX99<EOR>", NoPosition, "GRIDSQUARE \"XX99\" ist kein gültiger Locator"},
      {to + "<GRIDSQUARE_EXT:2>AB<EOR>", NoPosition, "GRIDSQUARE_EXT ohne GRIDSQUARE"},
      {km38 + "<GRIDSQUARE_EXT:2>AB<EOR>", NoPosition,
       "GRIDSQUARE_EXT \"AB\" braucht einen Locator mit 8 Zeichen in GRIDSQUARE, nicht \"KM38MM\""},
      {to + "<GRIDSQUARE:8>KM38MM45<GRIDSQUARE_EXT:3>ABC<EOR>", NoPosition, "GRIDSQUARE_EXT \"ABC\" hat nicht 2 oder 4 Zeichen"},
      {to + "<GRIDSQUARE:8>km38mm45<GRIDSQUARE_EXT:4>ab12<EOR>", Missing, ""},
      {"<MY_GRIDSQUARE:8>JO62MM45<MY_GRIDSQUARE_EXT:2>XX<GRIDSQUARE:2>KM<EOR>", Missing, ""},
      {"<MY_GRIDSQUARE:8>JO62MM45<MY_GRIDSQUARE_EXT:2>XY<GRIDSQUARE:2>KM<EOR>", NoPosition,
       "MY_GRIDSQUARE \"JO62MM45XY\" ist kein gültiger Locator"},
      {lat + "<LON:11>E033 22.500<EOR>", Missing, ""},
      {to + "<LAT:10>N35 12.500<LON:11>E033 22.500<EOR>", NoPosition, notDm("LAT", "N35 12.500")},
      {to + "<LAT:11>N035 60.000<LON:11>E033 22.500<EOR>", NoPosition, notDm("LAT", "N035 60.000")},
      {lat + "<LON:11>N033 22.500<EOR>", NoPosition, notDm("LON", "N033 22.500")},
      {lat + "<EOR>", NoPosition, notDm("LON", "")},
      // The locator wins over a placeholder position, which is reported.
      {km38 + "<LAT:11>N000 00.000<LON:11>E000 00.000<EOR>", Missing,
       "|LAT/LON \"N000 00.000\" \"E000 00.000\" liegt nicht im Locator KM38MM"},
      {km38 + "<LAT:11>N038 31.250<LON:11>E027 02.500<EOR>", Missing, ""},
      {"<GRIDSQUARE:6>KM38MM<EOR>", NoPosition, "keine eigene Position (MY_GRIDSQUARE, MY_LAT/MY_LON oder --own)"},
      {to + "<GRIDSQUARE:0><EOR>", NoPosition, "keine Position der Gegenstation (GRIDSQUARE oder LAT/LON)"},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.record);
    const ReadLog read(row.record);
    ASSERT_EQ(read.verdicts.size(), 1u) << read.error;
    EXPECT_EQ(read.verdicts[0], row.verdict);
    EXPECT_EQ(read.reasons[0], row.reason);
  }
  // KM38MM from JO62MM: 1892.585 km short path, 38116.565 km long path.
  EXPECT_NEAR(ReadLog(km38 + "<EOR>").km[0], 1892.585, 5e-4);
  EXPECT_NEAR(ReadLog(km38 + "<ANT_PATH:1>l<EOR>").km[0], 38116.565, 5e-4);
  // _EXT continues the eight characters: the ten- and twelve-character cells.
  EXPECT_EQ(ReadLog(to + "<GRIDSQUARE:8>KM38MM45<GRIDSQUARE_EXT:2>ab<EOR>").km[0],
            ReadLog(to + "<GRIDSQUARE:10>KM38MM45AB<EOR>").km[0]);
  EXPECT_NE(ReadLog(to + "<GRIDSQUARE:8>KM38MM45<GRIDSQUARE_EXT:2>AB<EOR>").km[0],
            ReadLog(to + "<GRIDSQUARE:8>KM38MM45<EOR>").km[0]);
  // The own station from --own only when the record has none.
  const OwnLocator own{"KM38mm", *ReadExtendedLocator("KM38mm")};
  EXPECT_EQ(ReadLog("<GRIDSQUARE:6>JO62MM<EOR>", own).km[0], ReadLog(km38 + "<EOR>").km[0]);
  EXPECT_LT(ReadLog(to + "<GRIDSQUARE:6>JO62MM<EOR>", own).km[0], 0.001);
}

TEST(AdifCheck, NumbersAndDegreesMinutes) {
  for (const auto& [text, number] : {std::pair{"1892.585", 1892.585}, {"-3", -3.0}, {".5", 0.5}}) {
    EXPECT_EQ(ReadNumber(text), number);
  }
  for (const char* bad : {"", "-", ".", "1,5", "1e3", " 1", "1 ", "+1", "nan", "inf"}) {
    EXPECT_FALSE(ReadNumber(bad)) << bad;
  }
  EXPECT_DOUBLE_EQ(*ReadDegreesMinutes("S012 30.000", 'N', 'S', 90), -12.5);
  EXPECT_DOUBLE_EQ(*ReadDegreesMinutes("w180 00.000", 'E', 'W', 180), -180);
  EXPECT_FALSE(ReadDegreesMinutes("W180 00.001", 'E', 'W', 180).has_value());
  EXPECT_FALSE(ReadDegreesMinutes("N090 00.001", 'N', 'S', 90).has_value());
}

}  // namespace
}  // namespace pelvorn::adif
