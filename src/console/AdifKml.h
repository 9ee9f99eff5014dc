#pragma once

#include "console/AdifCheck.h"

#include <cstddef>
#include <set>
#include <string>
#include <string_view>
#include <utility>

// A log as KML 2.2, written piece by piece while the log is read: one
// placemark per QSO with a position (the call as its name; date, band, mode,
// distance and direction in its description; the station and the great
// circle from the own station along the path the QSO took, sampled at most
// every MaximumStepKm), and one placemark per own position the QSOs start
// from, before the first QSO that starts there.
//
// A line that crosses the date line is cut there into two LineStrings, so
// every longitude stays in [-180, 180] (as KML requires) and no step between
// points is drawn the long way round by programs that join longitudes in a
// plane.

namespace pelvorn::adif {

inline constexpr double MaximumStepKm = 100;

class KmlWriter {
public:
  // Appends the document's start; `title` (UTF-8) names it.
  static void AppendHead(std::string& out, std::string_view title);
  // Appends the placemarks of the computed QSO `check`.
  void AppendQso(std::string& out, const QsoCheck& check);
  static void AppendTail(std::string& out);

private:
  using Position = std::pair<double, double>;
  // The own positions placed so far; so that memory stays bounded, at most
  // RememberedOrigins of them (a log from more places places again an own
  // position it has forgotten, when it is not the last one).
  static constexpr std::size_t RememberedOrigins = 4096;
  std::set<Position> origins_;
  Position lastOrigin_{1000, 1000};
};

}  // namespace pelvorn::adif
