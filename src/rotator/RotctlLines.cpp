#include "RotctlLines.h"

#include "arithmetic/NumberPatterns.h"
#include "common/Text.h"

#include <charconv>
#include <cmath>

namespace pelvorn::rotator {

std::string FormatDegrees(double value) {
  // Rounded first, so that a tiny negative value does not print as -0.00.
  std::string text;
  AppendFixed(text, std::round(value * 100.0) / 100.0, 2);
  return text;
}

std::string DegreesWithSeparator(double value, char16_t decimalSeparator) {
  std::string number = FormatDegrees(value);
  const std::size_t point = number.find('.');
  if (point != std::string::npos) number.replace(point, 1, ToUtf8({&decimalSeparator, 1}));
  return number;
}

std::string SetPositionLine(double azimuth, double elevation) {
  return "P " + FormatDegrees(azimuth) + " " + FormatDegrees(elevation) + "\n";
}

std::optional<double> ParseNumber(std::string_view text) {
  text = TrimAscii(text);
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
  line = TrimAscii(line);
  constexpr std::string_view Prefix = "RPRT ";
  if (line.substr(0, Prefix.size()) != Prefix) return std::nullopt;
  const std::string_view number = TrimAscii(line.substr(Prefix.size()));
  int code = 0;
  const auto [end, error] = std::from_chars(number.data(), number.data() + number.size(), code);
  if (number.empty() || error != std::errc() || end != number.data() + number.size()) {
    return std::nullopt;
  }
  return code;
}

}  // namespace pelvorn::rotator
