#pragma once

#include "common/NumberLocale.h"

#include <cstdio>
#include <optional>
#include <string>
#include <vector>

// --map OUT [--size PIXELS] [--radius KM] COMMANDLINE: the map of one pair,
// centred on the own station, as SVG or PNG (by OUT's ending; "-" writes
// PNG to standard output). Needs no display.

namespace pelvorn {

struct MapCall {
  std::string output;
  std::optional<std::string> size;
  std::optional<std::string> radius;
  std::vector<std::string> operands;
};

// Returns ToolSuccess when written, ToolSomeDiffer (nothing written) when
// the pair gives no result, ToolInputUnreadable for a wrong call or when OUT
// cannot be written; says why on `err`.
int RunMap(const MapCall& call, const NumberLocale& locale, std::FILE* out, std::FILE* err);

}  // namespace pelvorn
