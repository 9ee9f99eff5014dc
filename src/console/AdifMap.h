#pragma once

#include <cstdio>
#include <optional>
#include <string>

// `Pelvorn --adif FILE [--own LOCATOR] [--map OUT] [--azimuth-chart OUT]
// [--size PIXELS] [--radius KM]`: the log's QSOs on the map of --map, one
// marker each, coloured by band, round --own or the own position most QSOs
// carry; and the QSOs per 10° sector of direction as a polar bar chart. One
// pass over the log in constant memory: a marker's place on the map is its
// distance and direction from the QSO's own position, whatever the centre,
// so markers are drawn as they come and the map below them once the centre
// is known (map/MapRenderer.h, MarkerLayer).

namespace pelvorn {

struct AdifMapOptions {
  std::string log;                   // "-" for standard input (UTF-8 path)
  std::optional<std::string> own;    // --own LOCATOR
  std::optional<std::string> map;    // --map OUT
  std::optional<std::string> chart;  // --azimuth-chart OUT
  std::optional<std::string> size;
  std::optional<std::string> radius;
};

// Returns 0 when written with every QSO on it, 1 when written with QSOs
// without position (listed on `err` as the check lists them) or when
// nothing could be centred (no own position at all), 2 when the log cannot
// be read or an output not written (nothing written); or, for a wrong call,
// 2 with the reason (German) in `wrongCall` and nothing said. The caption
// lines go to `out` (to `err` when a picture goes to standard output).
int RunAdifMap(const AdifMapOptions& options, std::FILE* in, std::FILE* out, std::FILE* err, std::string& wrongCall);

}  // namespace pelvorn
