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

// What --map OUT, --size and --radius ask for: the format by OUT's ending
// ("-": PNG on standard output), the side in pixels, the radius (0: the
// whole earth). Returns the German reason for a wrong value, else empty.
struct PictureOptions {
  bool svg = false;
  bool toOutput = false;
  int size = 1000;
  double radiusKm = 0;
};
std::string ReadPictureOptions(const std::string& output, const std::optional<std::string>& size,
                               const std::optional<std::string>& radius, PictureOptions& read);

// Returns ToolSuccess when written, ToolSomeDiffer (nothing written) when
// the pair gives no result, ToolInputUnreadable when OUT cannot be written,
// saying why on `err`; or, for a wrong call, ToolInputUnreadable with the
// reason (German) in `wrongCall` and nothing said.
int RunMap(const MapCall& call, const NumberLocale& locale, std::FILE* out, std::FILE* err, std::string& wrongCall);

}  // namespace pelvorn
