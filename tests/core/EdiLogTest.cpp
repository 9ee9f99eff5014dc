// The EDI (REG1TEST) log check and its corrected copy, on logs written here.
#include "common/Text.h"
#include "common/Texts.h"
#include "console/EdiLog.h"
#include "common/ReplaceFile.h"

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
bool directorySynced = false, temporaryNamedAtDataSync = false;
std::string watchedDirectory;
}  // namespace

extern "C" mode_t umask(mode_t mask) noexcept {
  ++umaskCalls;
  return static_cast<mode_t>(syscall(SYS_umask, mask));
}

extern "C" int fsync(int fd) {
  struct stat info {};
  if (fstat(fd, &info) == 0 && S_ISDIR(info.st_mode)) directorySynced = true;
  // A kill -9 now must leave no file behind.
  if (S_ISREG(info.st_mode) && !watchedDirectory.empty()) {
    for (const auto& entry : std::filesystem::directory_iterator(watchedDirectory)) {
      temporaryNamedAtDataSync |= entry.path().filename().string().find(".pelvorn-") != std::string::npos;
    }
  }
  return static_cast<int>(syscall(SYS_fsync, fd));
}
#endif

namespace pelvorn::edi {
namespace {

using Texts = std::vector<std::string>;

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
const std::string Dx = "G4ABC;IO91WM;951";

// `qso` with its points field (the eleventh) set to `points`.
std::string Claiming(std::string qso, const std::string& points) {
  std::size_t at = 0;
  for (int field = 0; field < 10; ++field) at = qso.find(';', at) + 1;
  return qso.replace(at, qso.find(';', at) - at, points);
}

// A log checked: the verdict of each QSO (Matches, Differs, Not checkable,
// malformed: X), the recomputed total, the findings in the report and the
// corrected copy, or why there is none.
TEST(EdiLog, ChecksReportsAndCorrectedCopies) {
  const std::string good = Log({Near, Berlin, London, Dupe});
  const std::string empty = "261205;1430;SM7AAA;1;59;005;59;010;;;0;;;;";
  const std::string square = "261205;1431;SM7BBB;1;59;006;59;011;;JO65;44;;;;";
  const std::string invalid = "261205;1432;SM7CCC;1;59;007;59;012;;ZZ99AA;700;;;;";
  // The format records a serial number given to a contact that did not
  // complete as a line with the call ERROR: worth 0 points, like a dupe.
  const std::string unfinished = "261205;1445;ERROR;1;59;012;;;;;0;;;;";
  const std::string huge = Claiming(square, "999999999");  // sums beyond 32 bits
  // After the records: untouched, the line ends byte for byte (one LF, none at the end).
  const std::string tail = "[END;X]\r\nfree text;\n 1;2";
  const std::string unreadable = Fill(text::PointsNotANumber, {"\"five\""}), all(text::AllMatch);
  // `copy` empty: no copy, for the reason `whyNot`.
  struct Row {
    std::string file; const char* verdicts; std::int64_t total; Texts findings; std::string copy, whyNot = "";
  };
  const Row rows[] = {
      {good, "MMMM", 1315, {all}, good},
      {Log({Near, Claiming(Berlin, "358"), London, Dupe}, "1314"), "MDMM", 1315,
       {Fill(text::QsoDiffers, {"11", "DL1XYZ", "JO62MM", "", "358", "359"}),
        Fill(text::TotalLine, {"1314", "1315", ""})},
       good},
      // A dupe scores nothing; CODXC is recomputed; LF line ends are kept.
      {Log({Near, Berlin, London, Claiming(Dupe, "5")}, "1320", "DL1XYZ;JO62MM;359", "3;1", "\n"), "MMMD", 1315,
       {Fill(text::LongestLine, {"DL1XYZ;JO62MM;359", Dx, text::DxDiffers})},
       Log({Near, Berlin, London, Dupe}, "1315", Dx, "3;1", "\n")},
      // Claimed points that were not checked keep the log from matching.
      {Log({Near, Berlin, London, empty, square, invalid}, "2059"), "MMMNNN", 2059,
       {Fill(text::QsoNotCheckable, {"13", "SM7AAA", text::NoLocator, "0"}),
        Fill(text::QsoNotCheckable, {"14", "SM7BBB", Fill(text::SquareOnly, {"JO65", "44"}), "44"}),
        Fill(text::QsoNotCheckable, {"15", "SM7CCC", text::NoValidLocator, "700"}),
        Fill(text::UnverifiedPoints, {"744"})},
       Log({Near, Berlin, London, empty, square, invalid}, "2059")},
      {Log({Near, Berlin, London, empty}), "MMMN", 1315, {all}, Log({Near, Berlin, London, empty})},
      {Log({Near, Berlin, Claiming(unfinished, "140"), London, Dupe}, "1455"), "MMDMM", 1315, {},
       Log({Near, Berlin, unfinished, London, Dupe})},
      {Log({huge, huge, huge}, "999999999"), "NNN", 2999999997LL,
       {Fill(text::TotalLine, {"999999999", "2999999997", Fill(text::UnverifiedPoints, {"2999999997"})})},
       Log({huge, huge, huge}, "2999999997")},
      {Log({Near, Claiming(Berlin, "360"), London}, "1316") + tail, "MDM", 1315, {},
       Log({Near, Berlin, London}) + tail},
      // Malformed lines are never guessed, and block the copy.
      {Log({Near, "261205;1440;OZ2AAA;1;59;008;59;013;;JO65FQ;5;;N;", Near + "ERROR", Claiming(Near, "five"),
            Near + "X", Berlin, London}),
       "MXXXXMM", 1315,
       {Fill(text::QsoMalformed, {"11", Fill(text::WrongFieldCount, {"14", "15"})}),
        Fill(text::QsoMalformed, {"12", Fill(text::BadDupeField, {"\"ERROR\""})}),
        Fill(text::QsoMalformed, {"13", unreadable})},
       "", Fill(text::MalformedBlocksCopy, {"11"})},
      {Log({Near, Berlin, London}, "2630", Dx, "3;2"), "MMM", 1315, {Fill(text::MultiplierBlocks, {"2"})}, "",
       Fill(text::MultiplierBlocksCopy, {"2"})},
      {Log({Near, Berlin, London}, "1315", Dx, "3"), "MMM", 1315, {all},
       Log({Near, Berlin, London}, "1315", Dx, "3")},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.file);
    const LogCheck check = CheckLog(row.file);
    ASSERT_EQ(check.failure, "");
    std::string verdicts;
    for (const QsoCheck& qso : check.qsos) verdicts += "MDNX"[static_cast<int>(qso.verdict)];
    EXPECT_EQ(verdicts, row.verdicts);
    EXPECT_EQ(check.recomputedTotal, row.total);
    const std::string report = ReportText(check);
    const bool allMatch = row.findings.size() == 1 && row.findings[0] == text::AllMatch;
    EXPECT_EQ(check.AllMatches(), allMatch);
    for (const std::string& finding : row.findings) EXPECT_NE(report.find(finding), std::string::npos) << report;
    std::string whyNot;
    EXPECT_EQ(CorrectedLog(row.file, check, whyNot).value_or(""), row.copy);
    EXPECT_EQ(whyNot, row.whyNot);
  }
  // A band multiplier is the only finding: the points cannot be checked.
  EXPECT_EQ(ReportText(CheckLog(rows[9].file)), Fill(text::MultiplierBlocks, {"2"}));
}

TEST(EdiLog, WhatIsNoCheckableLog) {
  std::string noOwn = Log({Near}), squareOwn = Log({Near}), noRecords = Log({});
  noOwn.replace(noOwn.find("PWWLo=JO65FR"), 12, "PWWLx=JO65FR");
  squareOwn.replace(squareOwn.find("PWWLo=JO65FR"), 12, "PWWLo=JO65");
  noRecords.erase(noRecords.find("[QSORecords"));
  const std::pair<std::string, std::string> rows[] = {
      {"", std::string(text::EmptyFile)},
      {"PCall=OZ9ZZZ\r\n", std::string(text::NotEdi)},
      {noOwn, std::string(text::OwnLocatorMissing)},
      {squareOwn, Fill(text::OwnLocatorNotSubsquare, {"JO65"})},
      {noRecords, std::string(text::NoRecordsSection)},
      {"[REG1TEST;1]\rTName=Test\rPWWLo=JO65FR\r", std::string(text::LoneCarriageReturns)},
      // A byte order mark and lower case in the first line are accepted.
      {"\xEF\xBB\xBF[reg1test;1]\r\n" + Log({Near}).substr(14), ""},
  };
  for (const auto& [file, failure] : rows) EXPECT_EQ(CheckLog(file).failure, failure);
}

TEST(EdiLog, RecordCount) {
  // A count that differs, and one that cannot be read, are findings.
  for (const char* count : {"4", "1234567890", "+3", "-3", "", "drei", "3;", " 3x"}) {
    std::string file = Log({Near, Berlin, London});
    file.replace(file.find("[QSORecords;3]"), 14, std::string("[QSORecords;") + count + "]");
    const LogCheck check = CheckLog(file);
    EXPECT_FALSE(check.AllMatches()) << count;
    const std::string finding = Fill(count == std::string("4") ? text::RecordCountDiffers : text::RecordCountUnreadable,
                                     {count, "3"});
    EXPECT_NE(ReportText(check).find(finding), std::string::npos) << ReportText(check);
  }
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
