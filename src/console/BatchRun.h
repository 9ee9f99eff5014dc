#pragma once

#include "common/Arguments.h"
#include "console/BatchLine.h"
#include "common/NumberLocale.h"

#include <cstdio>
#include <string>
#include <vector>

namespace pelvorn {

// The options of `--batch [--tsv] [FILE...]` and of `--tsv COMMANDLINE`.
inline constexpr OptionRule BatchArguments[] = {{"--batch"}, {"--tsv"}};
inline constexpr OptionRule TsvArguments[] = {{"--tsv"}};

// Runs every line of `files` (UTF-8 paths; "-" or no file at all: `in`) in
// order through AppendBatchLine and writes exactly one output line for each
// input line to `out` (a TSV run starts with the header line). For every
// line without a result one message "FILE:LINE: reason" goes to `err`.
// Lines may end in LF or CR LF; the last one needs no line end. Memory stays
// the same however long the input is: an over-long line is skipped to its
// end and reported. Returns 0 when every line gave a result, 1 when some did
// not, 2 when an input could not be read or the output not written.
int RunBatch(const std::vector<std::string>& files, BatchFormat format, const NumberLocale& locale,
             std::FILE* in, std::FILE* out, std::FILE* err);

}  // namespace pelvorn
