#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

// Checking the QSO points of an EDI contest log (REG1TEST 1.1, the IARU
// Region 1 exchange format above 30 MHz) against the contest kilometres.
//
//   [REG1TEST;1]
//   PWWLo=JO62MM                  own locator
//   CQSOs=120;1                   claimed QSOs; band multiplier
//   CQSOP=35012                   claimed QSO points
//   CODXC=OK1KHL;JN79US;301       longest QSO: call; locator; km
//   [Remarks] ...
//   [QSORecords;120]
//   Date;Time;Call;Mode;Sent-RST;Sent-No;Rcvd-RST;Rcvd-No;Rcvd-Exchange;
//   Rcvd-WWL;QSO-Points;New-Exch;New-WWL;New-DXCC;Dupe     (one line each)
//
// Everything works on the bytes of the file; line ends (CR LF or LF) are
// kept with their lines so that a corrected copy differs only where it must.

namespace pelvorn::edi {

// One line of the file: its text and its line end ("\r\n", "\n" or empty
// for a last line without one).
struct Line {
  std::string_view text;
  std::string_view end;
};

// Splits `file` into lines; joining text and end of every line gives
// `file` back byte for byte.
std::vector<Line> SplitLines(std::string_view file);

// Field positions of a QSO line.
inline constexpr std::size_t QsoFieldCount = 15;
inline constexpr std::size_t CallField = 2;
inline constexpr std::size_t WwlField = 9;
inline constexpr std::size_t PointsField = 10;
inline constexpr std::size_t DupeField = 14;

struct QsoCheck {
  enum class Verdict {
    Matches,       // claimed points equal the contest km (0 for a dupe or an ERROR record)
    Differs,       // they do not
    NotCheckable,  // no usable locator: empty, four characters or invalid
    Malformed,     // the line itself cannot be read
  };
  std::size_t line = 0;       // index into the lines of the file
  Verdict verdict = Verdict::Malformed;
  std::string_view call;
  std::string_view wwl;
  bool dupe = false;
  bool error = false;         // the call is ERROR: a serial number given, the QSO not completed; scores 0
  std::int64_t claimed = 0;   // not for Malformed
  std::int64_t computed = 0;  // Matches, Differs; the square-centre figure for a four-character locator
  std::string reason;         // German, for NotCheckable and Malformed
  std::size_t pointsOffset = 0;  // where the points field stands in the line text
  std::size_t pointsLength = 0;
};

struct LogCheck {
  std::string failure;          // German; not empty: not a log that can be checked at all
  std::vector<Line> lines;
  std::string_view ownLocator;
  std::vector<QsoCheck> qsos;   // every line of the QSO records, in order
  std::optional<std::size_t> cqsopLine;  // index into lines
  std::optional<std::int64_t> claimedTotal;
  std::optional<std::size_t> codxcLine;
  std::string_view claimedDx;   // the value of CODXC as written
  bool claimedDxMatches = false;
  std::optional<std::size_t> longest;    // index into qsos: the recomputed longest QSO
  std::int64_t recomputedTotal = 0;   // computed points, and the claim of QSOs that cannot be checked
  std::int64_t unverifiedPoints = 0;  // the part of it claimed by QSOs that cannot be checked
  std::string bandMultiplier;   // not empty and not "1": the points cannot be checked
  std::optional<std::int64_t> announcedRecords;  // N of [QSORecords;N]
  std::optional<std::string_view> unreadableRecordCount;  // the N of [QSORecords;N] when it is no count

  // Whether everything the log claims was checked and matches.
  bool AllMatches() const;
  // Whether a band multiplier keeps the points from being checked.
  bool MultiplierBlocks() const { return !bandMultiplier.empty() && bandMultiplier != "1"; }
};

// Reads and checks the log in `file`. The result refers into `file`, which
// must outlive it.
LogCheck CheckLog(std::string_view file);

// Returns the report on `check` in German, one finding per line, each line
// ending in "\n".
std::string ReportText(const LogCheck& check);

// Returns the corrected copy of `file`: the points of every differing QSO,
// CQSOP and CODXC replaced, every other byte kept. Returns nothing, with the
// reason in `whyNot` (German), when the log has lines that cannot be read
// or its points cannot be checked.
std::optional<std::string> CorrectedLog(std::string_view file, const LogCheck& check, std::string& whyNot);

}  // namespace pelvorn::edi
