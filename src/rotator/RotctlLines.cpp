#include "RotctlLines.h"

#include <charconv>
#include <cmath>

namespace pelvorn::rotator {
namespace {

std::string_view TrimBlanks(std::string_view text) {
  const auto first = text.find_first_not_of(" \t\r");
  if (first == std::string_view::npos) return {};
  const auto last = text.find_last_not_of(" \t\r");
  return text.substr(first, last - first + 1);
}

}  // namespace

std::string FormatDegrees(double value) {
  // Rounded first, so that a tiny negative value does not print as -0.00.
  double rounded = std::round(value * 100.0) / 100.0;
  if (rounded == 0.0) rounded = 0.0;
  char buffer[64];
  const auto [end, error] =
      std::to_chars(buffer, buffer + sizeof buffer, rounded, std::chars_format::fixed, 2);
  if (error != std::errc()) return "0.00";
  return std::string(buffer, end);
}

std::string SetPositionLine(double azimuth, double elevation) {
  return "P " + FormatDegrees(azimuth) + " " + FormatDegrees(elevation) + "\n";
}

std::optional<double> ParseNumber(std::string_view text) {
  text = TrimBlanks(text);
  if (text.empty()) return std::nullopt;
  // from_chars takes "nan" and "inf"; the daemon writes neither.
  for (const char c : text) {
    if (!((c >= '0' && c <= '9') || c == '.' || c == '-' || c == '+' || c == 'e' || c == 'E')) {
      return std::nullopt;
    }
  }
  if (text.front() == '+') text.remove_prefix(1);
  double value = 0.0;
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
  if (error != std::errc() || end != text.data() + text.size() || !std::isfinite(value)) {
    return std::nullopt;
  }
  return value;
}

std::optional<int> ParseReport(std::string_view line) {
  line = TrimBlanks(line);
  constexpr std::string_view Prefix = "RPRT ";
  if (line.substr(0, Prefix.size()) != Prefix) return std::nullopt;
  const std::string_view number = TrimBlanks(line.substr(Prefix.size()));
  int code = 0;
  const auto [end, error] = std::from_chars(number.data(), number.data() + number.size(), code);
  if (number.empty() || error != std::errc() || end != number.data() + number.size()) {
    return std::nullopt;
  }
  return code;
}

}  // namespace pelvorn::rotator
