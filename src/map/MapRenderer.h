#pragma once

#include "MapRequest.h"

#include <string>

// The map drawn without a toolkit: into pixels, as SVG text, or as PNG
// bytes. Each gives the same bytes on every system for the same request;
// the pixels and the SVG show the same geometry.

namespace pelvorn::map {

// The map of `request` as request.size x request.size opaque pixels.
Pixels RenderPixels(const MapRequest& request);

// The map of `request` as an SVG document (UTF-8).
std::string RenderSvg(const MapRequest& request);

// `pixels` as a PNG file's bytes.
std::string EncodePng(const Pixels& pixels);

}  // namespace pelvorn::map
