// The EDI (REG1TEST) log check and its corrected copy, on logs written here.
#include "common/Text.h"
#include "common/Texts.h"
#include "console/EdiLog.h"
#include "console/ReplaceFile.h"

#include <gtest/gtest.h>

#include <csignal>
#include <filesystem>
#include <string>
#include <vector>

#ifndef _WIN32
#include <sys/stat.h>
#include <sys/syscall.h>
#include <unistd.h>

// What the corrected copy's writer does to the whole process and to the
// disk, seen through the C library calls it makes.
namespace {
int umaskCalls = 0;
bool directorySynced = false;
bool temporaryNamedAtDataSync = false;
std::string watchedDirectory;
}  // namespace

extern "C" mode_t umask(mode_t mask) noexcept {
  ++umaskCalls;
  return static_cast<mode_t>(syscall(SYS_umask, mask));
}

extern "C" int fsync(int fd) {
  struct stat info {};
  if (fstat(fd, &info) == 0 && S_ISDIR(info.st_mode)) directorySynced = true;
  if (fstat(fd, &info) == 0 && S_ISREG(info.st_mode) && !watchedDirectory.empty()) {
    // A kill -9 now must leave no file behind.
    for (const auto& entry : std::filesystem::directory_iterator(watchedDirectory)) {
      if (entry.path().filename().string().find(".pelvorn-") != std::string::npos) temporaryNamedAtDataSync = true;
    }
  }
  return static_cast<int>(syscall(SYS_fsync, fd));
}
#endif

namespace pelvorn::edi {
namespace {

using Verdict = QsoCheck::Verdict;

// A log of station JO65FR. The header has 9 lines, so the first QSO is on
// line 10 of the file.
std::string Log(const std::vector<std::string>& qsos, const std::string& cqsop = "1315",
                const std::string& codxc = "G4ABC;IO91WM;951", const std::string& cqsos = "3;1",
                const std::string& end = "\r\n") {
  std::string log = "[REG1TEST;1]" + end + "TName=Test" + end + "PCall=OZ9ZZZ" + end + "PWWLo=JO65FR" + end +
                    "CQSOs=" + cqsos + end + "CQSOP=" + cqsop + end + "CODXC=" + codxc + end +
                    "[Remarks]" + end + "[QSORecords;" + std::to_string(qsos.size()) + "]" + end;
  for (const std::string& qso : qsos) log += qso + end;
  return log;
}

const std::string Near = "261205;1402;OZ1ABC;1;59;001;59;001;;JO65FQ;5;;N;;";
const std::string Berlin = "261205;1405;DL1XYZ;1;59;002;59;014;;JO62MM;359;;N;;";
const std::string London = "261205;1410;G4ABC;2;599;003;599;120;;IO91WM;951;;N;;";
const std::string Dupe = "261205;1420;OZ1ABC;1;59;004;59;002;;JO65FQ;0;;;;D";

std::vector<Verdict> Verdicts(const LogCheck& check) {
  std::vector<Verdict> verdicts;
  for (const QsoCheck& qso : check.qsos) verdicts.push_back(qso.verdict);
  return verdicts;
}

TEST(EdiLog, LinesKeepTheirEndsByteForByte) {
  const std::string file = "a\r\nb\n\r\n\nlast";
  const std::vector<Line> lines = SplitLines(file);
  ASSERT_EQ(lines.size(), 5u);
  EXPECT_EQ(lines[0].end, "\r\n");
  EXPECT_EQ(lines[1].end, "\n");
  EXPECT_EQ(lines[2].text, "");
  EXPECT_EQ(lines[4].end, "");
  std::string joined;
  for (const Line& line : lines) joined += std::string(line.text) + std::string(line.end);
  EXPECT_EQ(joined, file);
}

TEST(EdiLog, MatchingLogWithADupe) {
  const std::string file = Log({Near, Berlin, London, Dupe});
  const LogCheck check = CheckLog(file);
  ASSERT_EQ(check.failure, "");
  EXPECT_EQ(Verdicts(check), (std::vector{Verdict::Matches, Verdict::Matches, Verdict::Matches, Verdict::Matches}));
  EXPECT_EQ(check.recomputedTotal, 1315);
  EXPECT_TRUE(check.claimedDxMatches);
  EXPECT_TRUE(check.AllMatches());
  EXPECT_NE(ReportText(check).find(text::AllMatch), std::string::npos);
  std::string whyNot;
  EXPECT_EQ(CorrectedLog(file, check, whyNot), file) << "nothing to correct";
}

TEST(EdiLog, OffByOnePointsAreListedAndCorrected) {
  std::string berlin = Berlin;
  berlin.replace(berlin.find(";359;"), 5, ";358;");
  const std::string file = Log({Near, berlin, London, Dupe}, "1314");
  const LogCheck check = CheckLog(file);
  EXPECT_EQ(check.qsos[1].verdict, Verdict::Differs);
  EXPECT_EQ(check.qsos[1].claimed, 358);
  EXPECT_EQ(check.qsos[1].computed, 359);
  EXPECT_FALSE(check.AllMatches());
  const std::string report = ReportText(check);
  EXPECT_NE(report.find(Fill(text::QsoDiffers, {"11", "DL1XYZ", "JO62MM", "", "358", "359"})), std::string::npos)
      << report;
  EXPECT_NE(report.find(Fill(text::TotalLine, {"1314", "1315", ""})), std::string::npos) << report;

  std::string whyNot;
  const std::optional<std::string> corrected = CorrectedLog(file, check, whyNot);
  ASSERT_TRUE(corrected);
  EXPECT_EQ(*corrected, Log({Near, Berlin, London, Dupe}));  // exactly the matching log, CR LF kept
  EXPECT_TRUE(CheckLog(*corrected).AllMatches());
}

TEST(EdiLog, DupesScoreNothingAndCodxcIsRecomputed) {
  std::string dupe = Dupe;
  dupe.replace(dupe.find(";0;"), 3, ";5;");
  const std::string file = Log({Near, Berlin, London, dupe}, "1320", "DL1XYZ;JO62MM;359", "3;1", "\n");
  const LogCheck check = CheckLog(file);
  EXPECT_EQ(check.qsos[3].verdict, Verdict::Differs);
  EXPECT_EQ(check.qsos[3].computed, 0);
  EXPECT_FALSE(check.claimedDxMatches);
  EXPECT_NE(ReportText(check).find(Fill(text::LongestLine, {"DL1XYZ;JO62MM;359", "G4ABC;IO91WM;951", text::DxDiffers})),
            std::string::npos);
  std::string whyNot;
  const std::optional<std::string> corrected = CorrectedLog(file, check, whyNot);
  ASSERT_TRUE(corrected);
  EXPECT_EQ(*corrected, Log({Near, Berlin, London, Dupe}, "1315", "G4ABC;IO91WM;951", "3;1", "\n"));
}

TEST(EdiLog, LocatorsThatCannotBeChecked) {
  const std::string empty = "261205;1430;SM7AAA;1;59;005;59;010;;;0;;;;";
  const std::string square = "261205;1431;SM7BBB;1;59;006;59;011;;JO65;44;;;;";
  const std::string invalid = "261205;1432;SM7CCC;1;59;007;59;012;;ZZ99AA;700;;;;";
  const std::string file = Log({Near, Berlin, London, empty, square, invalid}, "2059");
  const LogCheck check = CheckLog(file);
  EXPECT_EQ(Verdicts(check), (std::vector{Verdict::Matches, Verdict::Matches, Verdict::Matches,
                                          Verdict::NotCheckable, Verdict::NotCheckable, Verdict::NotCheckable}));
  EXPECT_EQ(check.recomputedTotal, 2059);
  EXPECT_EQ(check.unverifiedPoints, 744);
  EXPECT_FALSE(check.AllMatches()) << "claimed points that were not checked";
  const std::string report = ReportText(check);
  EXPECT_NE(report.find(Fill(text::QsoNotCheckable, {"13", "SM7AAA", text::NoLocator, "0"})), std::string::npos);
  EXPECT_NE(report.find(Fill(text::QsoNotCheckable, {"14", "SM7BBB", Fill(text::SquareOnly, {"JO65", "44"}), "44"})),
            std::string::npos) << report;
  EXPECT_NE(report.find(Fill(text::QsoNotCheckable, {"15", "SM7CCC", text::NoValidLocator, "700"})),
            std::string::npos);
  EXPECT_NE(report.find(Fill(text::UnverifiedPoints, {"744"})), std::string::npos);

  // No points claimed for the QSO without a locator: nothing unverified.
  EXPECT_TRUE(CheckLog(Log({Near, Berlin, London, empty}, "1315")).AllMatches());
}

TEST(EdiLog, MalformedLinesAreReportedAndBlockTheCopy) {
  const std::string shortLine = "261205;1440;OZ2AAA;1;59;008;59;013;;JO65FQ;5;;N;";
  const std::string marked = "261205;1441;OZ2BBB;1;59;009;59;014;;JO65FQ;5;;N;;ERROR";  // not a dupe mark
  const std::string word = "261205;1442;OZ2CCC;1;59;010;59;015;;JO65FQ;five;;N;;";
  const std::string odd = "261205;1443;OZ2DDD;1;59;011;59;016;;JO65FQ;5;;N;;X";
  const std::string file = Log({Near, shortLine, marked, word, odd, Berlin, London});
  const LogCheck check = CheckLog(file);
  ASSERT_EQ(check.qsos.size(), 7u);
  for (std::size_t i = 1; i <= 4; ++i) EXPECT_EQ(check.qsos[i].verdict, Verdict::Malformed) << i;
  EXPECT_EQ(check.qsos[1].reason, Fill(text::WrongFieldCount, {"14", "15"}));
  EXPECT_EQ(check.qsos[2].reason, Fill(text::BadDupeField, {"\"ERROR\""}));
  EXPECT_EQ(check.recomputedTotal, 1315) << "malformed lines are never guessed";
  EXPECT_FALSE(check.AllMatches());
  EXPECT_NE(ReportText(check).find(Fill(text::QsoMalformed, {"13", Fill(text::PointsNotANumber, {"\"five\""})})),
            std::string::npos);
  std::string whyNot;
  EXPECT_EQ(CorrectedLog(file, check, whyNot), std::nullopt);
  EXPECT_EQ(whyNot, Fill(text::MalformedBlocksCopy, {"11"}));
}

// The format records a serial number given to a contact that did not
// complete as a line with the call ERROR: a record worth 0 points, like a
// dupe, and no fault.
TEST(EdiLog, ErrorRecordsScoreNothing) {
  const std::string unfinished = "261205;1445;ERROR;1;59;012;;;;;0;;;;";
  const LogCheck check = CheckLog(Log({Near, Berlin, unfinished, London, Dupe}));
  EXPECT_EQ(Verdicts(check), (std::vector{Verdict::Matches, Verdict::Matches, Verdict::Matches, Verdict::Matches,
                                          Verdict::Matches}));
  EXPECT_TRUE(check.AllMatches()) << ReportText(check);
  std::string claimed = unfinished;
  claimed.replace(claimed.find(";0;"), 3, ";140;");
  const std::string file = Log({Near, Berlin, claimed, London, Dupe}, "1455");
  const LogCheck differs = CheckLog(file);
  EXPECT_EQ(differs.qsos[2].verdict, Verdict::Differs);
  EXPECT_EQ(differs.recomputedTotal, 1315);
  std::string whyNot;
  EXPECT_EQ(CorrectedLog(file, differs, whyNot), Log({Near, Berlin, unfinished, London, Dupe})) << whyNot;
}

// Sums of claims beyond 32 bits (four-character locators keep their claims).
TEST(EdiLog, LargeClaimsAddUp) {
  const std::string huge = "261205;1431;SM7BBB;1;59;006;59;011;;JO65;999999999;;;;";
  const std::string file = Log({huge, huge, huge}, "999999999");
  const LogCheck check = CheckLog(file);
  EXPECT_EQ(check.recomputedTotal, 2999999997LL);
  EXPECT_NE(ReportText(check).find(Fill(text::TotalLine, {"999999999", "2999999997", Fill(text::UnverifiedPoints, {"2999999997"})})),
            std::string::npos)
      << ReportText(check);
}

TEST(EdiLog, WhatIsNoCheckableLog) {
  struct Row { std::string file; std::string failure; };
  std::string noOwn = Log({Near});
  noOwn.replace(noOwn.find("PWWLo=JO65FR"), 12, "PWWLx=JO65FR");
  std::string squareOwn = Log({Near});
  squareOwn.replace(squareOwn.find("PWWLo=JO65FR"), 12, "PWWLo=JO65");
  std::string noRecords = Log({});
  noRecords.erase(noRecords.find("[QSORecords"));
  const Row rows[] = {
      {"", std::string(text::EmptyFile)},
      {"PCall=OZ9ZZZ\r\n", std::string(text::NotEdi)},
      {noOwn, std::string(text::OwnLocatorMissing)},
      {squareOwn, Fill(text::OwnLocatorNotSubsquare, {"JO65"})},
      {noRecords, std::string(text::NoRecordsSection)},
      {"[REG1TEST;1]\rTName=Test\rPWWLo=JO65FR\r", std::string(text::LoneCarriageReturns)},
  };
  for (const Row& row : rows) EXPECT_EQ(CheckLog(row.file).failure, row.failure);
  // A byte order mark and lower case in the first line are accepted.
  EXPECT_EQ(CheckLog("\xEF\xBB\xBF[reg1test;1]\r\n" + Log({Near}).substr(14)).failure, "");
}

TEST(EdiLog, BandMultiplierAndRecordCount) {
  const LogCheck multiplied = CheckLog(Log({Near, Berlin, London}, "2630", "G4ABC;IO91WM;951", "3;2"));
  EXPECT_TRUE(multiplied.MultiplierBlocks());
  EXPECT_FALSE(multiplied.AllMatches());
  EXPECT_EQ(ReportText(multiplied), Fill(text::MultiplierBlocks, {"2"}));
  EXPECT_TRUE(CheckLog(Log({Near, Berlin, London}, "1315", "G4ABC;IO91WM;951", "3")).AllMatches());

  std::string file = Log({Near, Berlin, London});
  file.replace(file.find("[QSORecords;3]"), 14, "[QSORecords;4]");
  const LogCheck miscounted = CheckLog(file);
  EXPECT_FALSE(miscounted.AllMatches());
  EXPECT_NE(ReportText(miscounted).find(Fill(text::RecordCountDiffers, {"4", "3"})), std::string::npos);

  // A count that cannot be read is a finding of its own.
  for (const char* count : {"1234567890", "+3", "-3", "", "drei", "3;", " 3x"}) {
    std::string unreadable = Log({Near, Berlin, London});
    unreadable.replace(unreadable.find("[QSORecords;3]"), 14, std::string("[QSORecords;") + count + "]");
    const LogCheck check = CheckLog(unreadable);
    EXPECT_FALSE(check.AllMatches()) << count;
    EXPECT_NE(ReportText(check).find(Fill(text::RecordCountUnreadable, {count, "3"})), std::string::npos)
        << ReportText(check);
  }
}

TEST(EdiLog, LinesAfterTheRecordsStayUntouched) {
  std::string berlin = Berlin;
  berlin.replace(berlin.find(";359;"), 5, ";360;");
  const std::string file = Log({Near, berlin, London}, "1316") + "[END;X]\r\nfree text; 1;2\r\n";
  const LogCheck check = CheckLog(file);
  ASSERT_EQ(check.qsos.size(), 3u);
  std::string whyNot;
  const std::optional<std::string> corrected = CorrectedLog(file, check, whyNot);
  ASSERT_TRUE(corrected);
  EXPECT_EQ(*corrected, Log({Near, Berlin, London}) + "[END;X]\r\nfree text; 1;2\r\n");
}

#ifndef _WIN32
// The copy replaces OUT without touching the process's umask or signal
// dispositions (other threads run), is on the disk before its name, its
// directory after the rename, and has no name while it is being written.
TEST(ReplaceFile, LeavesTheProcessAloneAndSurvivesAPowerCut) {
  const std::filesystem::path directory = std::filesystem::temp_directory_path() / ("pelvorn-replace-" + std::to_string(getpid()));
  std::filesystem::create_directories(directory);
  std::signal(SIGXFSZ, SIG_DFL);
  umaskCalls = 0;
  watchedDirectory = directory.string();
  const std::string out = (directory / "out.edi").string();
  std::string error;
  EXPECT_TRUE(ReplaceFileContents(out, "neu\r\n", error)) << error;
  EXPECT_TRUE(ReplaceFileContents(out, "ersetzt\r\n", error)) << error;
  watchedDirectory.clear();
  EXPECT_EQ(umaskCalls, 0);
  struct sigaction action {};
  sigaction(SIGXFSZ, nullptr, &action);
  EXPECT_EQ(action.sa_handler, SIG_DFL);
  EXPECT_TRUE(directorySynced);
  EXPECT_FALSE(temporaryNamedAtDataSync);
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(directory), std::filesystem::directory_iterator()), 1);
  std::filesystem::remove_all(directory);
}
#endif

}  // namespace
}  // namespace pelvorn::edi
