#pragma once

#include "arithmetic/NumberPatterns.h"
#include "common/Texts.h"

#include <string>
#include <string_view>

// The tab-separated result line of `--tsv`: the same columns whatever the
// user's locale, decimal point, ASCII digits, no digit grouping.
//   own locator, foreign locator, distance km (3 decimals), direction
//   (2 decimals), long-path km (3 decimals), long-path direction
//   (2 decimals), contest km (integer)
// Directions are in [0, 360): one that rounds to 360.00 is written 0.00.
// The numbers come from NumberPatterns.h.

namespace pelvorn {

// The header line (without line end).
inline constexpr std::string_view TsvHeader = text::TsvHeader;

struct TsvResult {
  std::string_view ownLocator;
  std::string_view foreignLocator;
  double km;
  double direction;
  double longPathKm;
  double longPathDirection;
  long contestKm;
};

// Appends the line for `result` to `out` (without line end).
void AppendTsvLine(std::string& out, const TsvResult& result);

// Appends the line of an input that gave no result: its two inputs as
// written (a tab or line break in them becomes a blank) and five empty
// columns.
void AppendTsvWithoutResult(std::string& out, std::string_view ownInput, std::string_view foreignInput);

}  // namespace pelvorn
