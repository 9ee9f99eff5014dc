#pragma once

#include "LocatorGrid.h"

#include <cstdint>
#include <span>
#include <string_view>

// Maidenhead locator to the centre of its subsquare, in degrees. The
// functions validate nothing: any character gives a number (see
// IsWellFormedLocator for the check the window makes before calling them).

namespace pelvorn {

// Returns the centre along `axis` of the cell named by `codes`, the character
// codes of that axis from the field on, one per level of LocatorGrid (at
// least the field, at most every level): latitude in degrees north, longitude in degrees east (0 to
// below 360 for well-formed characters). Every integer step is signed
// 16-bit; throws RuntimeError (Overflow) when a step leaves -32768..32767.
double DegreesFromCodes(Axis axis, std::span<const std::int16_t> codes);

// Returns the latitude of the subsquare centre named by positions 2, 4 and 6
// of `locator`; characters after position 6 are ignored. Throws RuntimeError
// (InvalidArgument) when the text is shorter than 6 characters, or as
// DegreesFromCodes does.
double LocatorToLatitude(std::u16string_view locator);

// Returns the longitude named by positions 1, 3 and 5. Throws RuntimeError
// (InvalidArgument) when the text is shorter than 5 characters, or as
// DegreesFromCodes does.
double LocatorToLongitude(std::u16string_view locator);

// Returns whether `text` is exactly six characters, each pair within its
// level's range: A-R, 0-9, A-X (capitals only).
bool IsWellFormedLocator(std::u16string_view text) noexcept;
// The same for text read as bytes (a byte outside ASCII is no locator character).
bool IsWellFormedLocator(std::string_view text) noexcept;

}  // namespace pelvorn
