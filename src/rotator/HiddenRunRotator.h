#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace pelvorn::rotator {

// The direction as a result field shows it ("139,74" with ',' as
// `decimalSeparator`). nullopt when the text is no such number.
std::optional<double> DirectionFromCaption(std::u16string_view caption, char16_t decimalSeparator);

// For a hidden run whose result is out: when a rotator is configured, turns
// the antenna to `directionCaption` (the short path) and waits for the
// daemon's acknowledgement. Returns the German message (UTF-8) when that
// failed; nullopt when it succeeded or when no rotator is configured (then
// nothing touches the network).
std::optional<std::string> TurnAntennaForHiddenRun(std::u16string_view directionCaption,
                                                   char16_t decimalSeparator);

}  // namespace pelvorn::rotator
