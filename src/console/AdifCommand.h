#pragma once

#include "common/Arguments.h"
#include "console/AdifCheck.h"
#include "console/AdifReader.h"

#include <cstdio>
#include <optional>
#include <string>

namespace pelvorn {

struct AdifOptions {
  std::string log;                  // the log, "-" for standard input (UTF-8 path)
  bool tsv = false;                 // one TSV line per QSO instead of the report
  std::optional<std::string> own;   // --own LOCATOR
  std::optional<std::string> fix;   // --fix OUT
  bool overwrite = false;           // with --fix: replace disagreeing DISTANCE fields too
  std::optional<std::string> kml;   // --kml OUT
};

// The options --adif takes, in any order.
inline constexpr OptionRule AdifArguments[] = {
    {"--adif", OptionValue::Required}, {"--tsv"}, {"--own", OptionValue::Required},
    {"--fix", OptionValue::Required},  {"--overwrite"}, {"--kml", OptionValue::Required},
    {"--map", OptionValue::Required},  {"--size", OptionValue::Required}, {"--radius", OptionValue::Required},
    {"--azimuth-chart", OptionValue::Required},
};

// `Pelvorn --adif FILE [--tsv] [--own LOCATOR] [--fix OUT [--overwrite]]`:
// reads the ADIF log as a stream (see AdifReader.h, AdifCheck.h) and
// prints, per QSO, what is missing, differs or cannot be computed and a
// summary (or with --tsv one line per QSO); --fix writes the log to OUT
// (which may be FILE) with DISTANCE filled in where it is missing, every
// other byte as it was, through a FileReplacement; --kml writes the QSOs
// as KML to OUT the same way (see AdifKml.h), and lists only the QSOs
// without position. Returns 0 when every
// QSO has a DISTANCE that agrees (with --tsv, --kml: a position), 1 when not, 2 when
// the log cannot be read or is no ADIF log, or an output not written;
// every status but 0 says why on `out` or `err`.
int RunAdif(const AdifOptions& options, std::FILE* in, std::FILE* out, std::FILE* err);

// Appends a QSO's line of the report: PLACE, call, date, `what`.
void Report(std::string& out, const std::string& place, const adif::QsoCheck& check, std::string_view what);
// Says on `err` why the log `name` cannot be read (FILE:RECORD: reason; with
// `fixing`, for a run that writes a file: "nichts geschrieben"); returns
// ToolInputUnreadable.
int UnreadableLog(std::FILE* err, const std::string& name, const adif::Reader& reader, bool fixing);
// Reads --own into `own` (nothing when not given). False, said on `err`,
// when it is no locator.
bool ReadOwnOption(const std::optional<std::string>& option, std::FILE* err, std::optional<adif::OwnLocator>& own);

}  // namespace pelvorn
