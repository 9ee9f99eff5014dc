#pragma once

#include "common/NumberLocale.h"

#include <string>
#include <string_view>

// One line of a batch run: a command line in the program's own syntax
// (L;own;foreign or G;lat;lat;lon;lon; a sixth field is ignored), computed
// as the window computes it, without a window.

namespace pelvorn {

enum class BatchFormat {
  ResultLine,  // "1892,585 km/139,74 °" in the user's locale, as a hidden run prints it
  Tsv,         // the locale-independent TSV line (TsvLine.h)
};

// Appends the output for `line` (UTF-8, without its line end) to `out`,
// without a line end. Returns the empty text when the line gave a result;
// otherwise appends what stands for no result (nothing, or in TSV the two
// inputs and empty columns) and returns the reason in German (UTF-8),
// worded as the window words it.
std::string AppendBatchLine(std::string_view line, BatchFormat format, const NumberLocale& locale, std::string& out);

// One command line's pair as the calculation reads it: the locators as the
// window completes them (in mode G derived from the degrees), the points the
// calculation uses, and the result line in the user's locale.
struct BatchPair {
  std::string ownLocator, foreignLocator;
  double ownLatitude = 0, ownLongitude = 0, foreignLatitude = 0, foreignLongitude = 0;
  std::string resultLine;
};

// Reads `line` into `pair`; returns the empty text, or the reason
// AppendBatchLine gives for a line without a result.
std::string ReadBatchPair(std::string_view line, const NumberLocale& locale, BatchPair& pair);

}  // namespace pelvorn
