#pragma once

#include <span>

// The map's data compiled into the program (data/MakeMapData.py makes it;
// the build embeds the files).

namespace pelvorn::map {

std::span<const unsigned char> Land110m();
std::span<const unsigned char> Land50m();
std::span<const unsigned char> GlyphData();

}  // namespace pelvorn::map
