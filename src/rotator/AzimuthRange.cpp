#include "AzimuthRange.h"

#include "RotctlLines.h"

#include <cmath>

namespace pelvorn::rotator {
namespace {

// Limits are compared with this slack: the daemon prints six decimals.
constexpr double Slack = 1e-6;

}  // namespace

std::optional<double> MapIntoRange(double direction, const AzimuthRange& range,
                                   std::optional<double> current) {
  if (!std::isfinite(direction)) return std::nullopt;
  double base = std::fmod(direction, 360.0);
  if (base < 0.0) base += 360.0;
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

double LongPath(double direction) {
  double reverse = std::fmod(direction + 180.0, 360.0);
  if (reverse < 0.0) reverse += 360.0;
  return reverse;
}

std::optional<AzimuthRange> RangeFromDumpState(const std::vector<std::string>& lines) {
  std::optional<double> minimum;
  std::optional<double> maximum;
  for (const std::string& line : lines) {
    const auto equals = line.find('=');
    if (equals == std::string::npos) continue;
    const std::string_view key = std::string_view(line).substr(0, equals);
    const std::string_view value = std::string_view(line).substr(equals + 1);
    if (key == "min_az") minimum = ParseNumber(value);
    if (key == "max_az") maximum = ParseNumber(value);
  }
  if (!minimum || !maximum || !(*minimum < *maximum)) return std::nullopt;
  return AzimuthRange{*minimum, *maximum};
}

}  // namespace pelvorn::rotator
