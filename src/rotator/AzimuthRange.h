#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace pelvorn::rotator {

// The azimuths a rotator can be set to, in degrees, as its daemon reports
// them: 0..360, -180..180, 0..450 (overlap) and the like.
struct AzimuthRange {
  double minimum = 0.0;
  double maximum = 360.0;
};

// Puts `direction` (degrees clockwise from north, any value) into `range`:
// of the representations direction + k * 360 that lie in the range, returns
// the one nearest to `current` (the rotator's position, so that an overlap
// rotator takes the short way) or, without it, nearest to the direction
// taken into 0..360. Returns nullopt when no representation lies in range.
std::optional<double> MapIntoRange(double direction, const AzimuthRange& range,
                                   std::optional<double> current = std::nullopt);

// Reads the limits out of the lines rotctld sends for "\dump_state"
// (protocol 1: "min_az=-180.000000", "max_az=...", ending with "done").
// Returns nullopt when either limit is missing or not a number, or when the
// minimum is not below the maximum.
std::optional<AzimuthRange> RangeFromDumpState(const std::vector<std::string>& lines);

// The elevation sent with an azimuth: 0, or the limit nearest to it when
// the "\dump_state" lines put 0 outside min_el..max_el (an az/el rotator
// that cannot lie flat).
double ElevationFromDumpState(const std::vector<std::string>& lines);

}  // namespace pelvorn::rotator
