#include "AzimuthRange.h"

#include "RotctlLines.h"
#include "arithmetic/NormalisedDegrees.h"

#include <cmath>

namespace pelvorn::rotator {
namespace {

// Limits are compared with this slack: the daemon prints six decimals.
constexpr double Slack = 1e-6;

}  // namespace

std::optional<double> MapIntoRange(double direction, const AzimuthRange& range,
                                   std::optional<double> current) {
  if (!std::isfinite(direction)) return std::nullopt;
  const double base = NormalisedDegrees(direction);
  const double reference = current.value_or(base);
  std::optional<double> best;
  // Rotators turn through at most a few full circles; five candidates cover
  // every range from -720 to 1080 degrees.
  for (int turns = -2; turns <= 2; ++turns) {
    const double candidate = base + 360.0 * turns;
    if (candidate < range.minimum - Slack || candidate > range.maximum + Slack) continue;
    if (!best || std::fabs(candidate - reference) < std::fabs(*best - reference)) best = candidate;
  }
  return best;
}

namespace {

// The number after "key=" in the "\dump_state" lines.
std::optional<double> DumpStateValue(const std::vector<std::string>& lines, std::string_view key) {
  std::optional<double> value;
  for (const std::string& line : lines) {
    const auto equals = line.find('=');
    if (equals != std::string::npos && std::string_view(line).substr(0, equals) == key) {
      value = ParseNumber(std::string_view(line).substr(equals + 1));
    }
  }
  return value;
}

}  // namespace

std::optional<AzimuthRange> RangeFromDumpState(const std::vector<std::string>& lines) {
  const auto minimum = DumpStateValue(lines, "min_az");
  const auto maximum = DumpStateValue(lines, "max_az");
  if (!minimum || !maximum || !(*minimum < *maximum)) return std::nullopt;
  return AzimuthRange{*minimum, *maximum};
}

double ElevationFromDumpState(const std::vector<std::string>& lines) {
  const auto minimum = DumpStateValue(lines, "min_el");
  const auto maximum = DumpStateValue(lines, "max_el");
  if (minimum && *minimum > 0.0) return *minimum;
  if (maximum && *maximum < 0.0) return *maximum;
  return 0.0;
}

}  // namespace pelvorn::rotator
