#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace pelvorn::rotator {

// The lines of rotctld's protocol, built and read without the C locale:
// numbers always carry a decimal point.

// `value` with two decimals and a decimal point, whatever the locale:
// 139.74, -90.00, 0.00 (never -0.00).
std::string FormatDegrees(double value);

// FormatDegrees with `decimalSeparator` (UTF-8) instead of the point, for
// messages: 139,74 under a German locale.
std::string DegreesWithSeparator(double value, char16_t decimalSeparator);

// "P <azimuth> <elevation>\n", both with two decimals.
std::string SetPositionLine(double azimuth, double elevation);

// A decimal number as the daemon writes it ("3.01", "-17.99",
// "450.000000"), surrounding blanks ignored. Returns nullopt for anything
// else, also for a decimal comma, "nan" or "inf".
std::optional<double> ParseNumber(std::string_view text);

// The code of a report line "RPRT <n>" (0 success, negative an error).
// Returns nullopt when `line` is no report line.
std::optional<int> ParseReport(std::string_view line);

}  // namespace pelvorn::rotator
