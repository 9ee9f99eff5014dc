#pragma once

#include "map/MapRequest.h"

#include <string>

// STAND-IN until the real renderer lands: a plain disc with a dot at the
// centre and one at the other station. Same signatures as the real one.

namespace pelvorn::map {

// Returns the map of `request` as request.size x request.size pixels.
Pixels RenderPixels(const MapRequest& request);
// Returns the map of `request` as SVG text.
std::string RenderSvg(const MapRequest& request);
// Returns `pixels` as the bytes of a PNG file.
std::string EncodePng(const Pixels& pixels);

}  // namespace pelvorn::map
