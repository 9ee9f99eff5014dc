#pragma once

#include "common/NumberLocale.h"
#include "follow/Follower.h"
#include "map/MapOutput.h"

#include <string>

// --follow --map OUT: the map of the pair being worked, in a file that each
// new pair replaces whole (common/ReplaceFile.h), so that a viewer, a web
// page or a broadcast overlay that reloads it never sees a partial map.

namespace pelvorn::follow {

struct LiveMapFile {
  std::string path;  // UTF-8, .png or .svg
  map::MapFormat format = map::MapFormat::Png;
  map::MapRequest look;  // size and radius
};

// Draws the map of `sighting` (the pair and its result line in `locale`, as
// --map draws it) and replaces the file with it. Returns the German reason
// when the file cannot be written, else the empty text.
std::string ShowLiveMap(const LiveMapFile& file, const Sighting& sighting, const NumberLocale& locale);

}  // namespace pelvorn::follow
