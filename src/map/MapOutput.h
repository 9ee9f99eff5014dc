#pragma once

#include "MapRequest.h"

#include <optional>
#include <string>

// A map file as the command line names it: the format by OUT's ending, the
// side and the radius; for --map and for --follow --map.

namespace pelvorn::map {

enum class MapFormat { Png, Svg, PngToOutput };

// Reads OUT's ending ("-": PNG to standard output), --size and --radius
// into `format` and `request`. Returns the German reason when one is
// unusable, else the empty text.
std::string ReadMapOutput(const std::string& output, const std::optional<std::string>& size,
                          const std::optional<std::string>& radius, MapFormat& format, MapRequest& request);

// The bytes of the map of `request` in `format`.
std::string RenderMapBytes(const MapRequest& request, MapFormat format);

}  // namespace pelvorn::map
