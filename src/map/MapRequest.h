#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

// What a map shows: the azimuthal equidistant map centred on the own station,
// on the program's own sphere, north up. Drawn without any toolkit, into
// pixels or SVG text, the same bytes on every system.

namespace pelvorn::map {

struct Station {
  double latitude = 0;   // degrees, north positive
  double longitude = 0;  // degrees, east positive (0..360 or signed: both serve)
  std::string label;     // UTF-8, the locator as the window shows it
};

// A band in the legend of a log's map.
struct LegendEntry {
  std::string label;            // "20m"
  int colour = 0;               // of MarkerColour
  unsigned long long count = 0;
};

struct MapRequest {
  Station own;                // the centre
  std::optional<Station> dx;  // the other station, with its short and long path
  std::string caption;        // UTF-8, e.g. "JO62MM – KM38MM   1892,585 km/139,74 °"
  double radiusKm = 0;        // the map's radius; 0: the whole earth
  int size = 1000;            // the square's side in pixels
  std::vector<std::string> notes = {};  // smaller lines below the caption
  std::vector<LegendEntry> legend = {};  // a log's bands, top right
  bool markers = false;             // a layer of markers lies below the own station (Scene::overlayAt)
};

// The azimuth chart of a log: the QSOs of each 10° sector of direction.
inline constexpr int ChartSectors = 36;
struct ChartSector {
  unsigned long long count = 0;
  double longestKm = -1;
  std::string longestCall;  // UTF-8
};
struct ChartRequest {
  std::array<ChartSector, ChartSectors> sectors;
  std::string caption;
  std::vector<std::string> notes;
  int size = 1000;
};

// Row-major RGBA, 8 bits a channel, no padding.
struct Pixels {
  int width = 0;
  int height = 0;
  std::vector<std::uint8_t> rgba;
};

}  // namespace pelvorn::map
