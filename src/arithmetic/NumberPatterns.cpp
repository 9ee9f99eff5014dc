#include "NumberPatterns.h"

#include "common/Text.h"
#include "common/Texts.h"

#include <array>
#include <charconv>
#include <cmath>

namespace pelvorn {
namespace {

// Returns `value` moved one unit in the last place away from zero when it
// lies exactly halfway between two numbers of `decimals` decimals, so that
// the tie rounds away from zero rather than to even.
double BreakTieAwayFromZero(double value, int decimals) {
  const double scale = std::pow(10.0, decimals);
  const double scaled = value * scale;
  // Only an exact product can be an exact tie.
  if (!std::isfinite(scaled) || std::fma(value, scale, -scaled) != 0) return value;
  if (std::fabs(scaled - std::trunc(scaled)) != 0.5) return value;
  return std::nextafter(value, std::copysign(HUGE_VAL, value));
}

// "####0.0" followed by `optionalDecimals` "#" placeholders.
std::u16string FormatWithOptionalDecimals(double value, int optionalDecimals, const NumberLocale& locale) {
  const int decimals = 1 + optionalDecimals;
  // The largest double has 309 integer digits.
  std::array<char, 330> buffer{};
  const auto [end, error] = std::to_chars(buffer.data(), buffer.data() + buffer.size(),
                                          BreakTieAwayFromZero(value, decimals),
                                          std::chars_format::fixed, decimals);
  std::string_view text(buffer.data(), error == std::errc() ? static_cast<std::size_t>(end - buffer.data()) : 0);

  for (int dropped = 0; dropped < optionalDecimals && text.ends_with('0'); ++dropped) text.remove_suffix(1);
  // A negative value that rounds to zero: no sign rather than -0,0.
  if (text.starts_with('-') && text.find_first_not_of("-0.") == std::string_view::npos) text.remove_prefix(1);

  std::u16string formatted(text.begin(), text.end());
  for (char16_t& c : formatted) {
    if (c == u'.') c = locale.decimalSeparator;
  }
  return formatted;
}

}  // namespace

std::u16string FormatDistance(double km, const NumberLocale& locale) {
  return FormatWithOptionalDecimals(km, 2, locale);
}

std::u16string FormatDirection(double degrees, const NumberLocale& locale) {
  return FormatWithOptionalDecimals(degrees, 1, locale);
}

std::u16string ResultLine(std::u16string_view distanceCaption, std::u16string_view directionCaption) {
  return FromUtf8(Fill(text::ResultLine, {ToUtf8(distanceCaption), ToUtf8(directionCaption)}));
}

}  // namespace pelvorn
