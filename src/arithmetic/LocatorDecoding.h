#pragma once

#include <cstdint>
#include <string_view>

// Maidenhead locator to the centre of its subsquare, in degrees. The
// functions validate nothing: any character gives a number (see
// IsWellFormedLocator for the check the window makes before calling them).

namespace pelvorn {

// Returns the latitude (degrees north) of the subsquare centre named by
// positions 2, 4 and 6 of `locator`; characters after position 6 are
// ignored. Throws RuntimeError (InvalidArgument) when the text is shorter
// than 6 characters.
double LocatorToLatitude(std::u16string_view locator);

// Returns the longitude (degrees east, 0 to below 360 for a well-formed
// locator) named by positions 1, 3 and 5. Throws RuntimeError
// (InvalidArgument) when the text is shorter than 5 characters.
double LocatorToLongitude(std::u16string_view locator);

// The same computations from the character codes of the three positions.
// Every integer step is signed 16-bit: throws RuntimeError (Overflow) when
// a step leaves -32768..32767.
double LatitudeFromCodes(std::int16_t field, std::int16_t square, std::int16_t subsquare);
double LongitudeFromCodes(std::int16_t field, std::int16_t square, std::int16_t subsquare);

// Returns whether `text` is exactly six characters A-R, A-R, 0-9, 0-9,
// A-X, A-X (capitals only).
bool IsWellFormedLocator(std::u16string_view text) noexcept;

}  // namespace pelvorn
