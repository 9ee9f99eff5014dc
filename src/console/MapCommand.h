#pragma once

#include "common/Arguments.h"
#include "common/NumberLocale.h"

#include <cstdio>
#include <optional>
#include <string>
#include <vector>

// --map OUT [--size PIXELS] [--radius KM] COMMANDLINE: the map of one pair,
// centred on the own station, as SVG or PNG (by OUT's ending; "-" writes
// PNG to standard output). Needs no display.

namespace pelvorn {

// The options of --map.
inline constexpr OptionRule MapArguments[] = {
    {"--map", OptionValue::Required}, {"--size", OptionValue::Required}, {"--radius", OptionValue::Required}};

struct MapCall {
  std::string output;
  std::optional<std::string> size;
  std::optional<std::string> radius;
  std::vector<std::string> operands;
};

// Returns ToolSuccess when written, ToolSomeDiffer (nothing written) when
// the pair gives no result, ToolInputUnreadable when OUT cannot be written,
// saying why on `err`; or, for a wrong call, ToolInputUnreadable with the
// reason (German) in `wrongCall` and nothing said.
int RunMap(const MapCall& call, const NumberLocale& locale, std::FILE* out, std::FILE* err, std::string& wrongCall);

}  // namespace pelvorn
