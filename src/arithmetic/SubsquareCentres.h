#pragma once

#include <string_view>

// The centres of all 18 x 18 x 10 x 10 x 24 x 24 well-formed locators, for
// runs that decode millions of them. Latitude and longitude each depend on
// three characters only, so two tables of 18 x 10 x 24 doubles hold them,
// filled once by LatitudeFromCodes and LongitudeFromCodes themselves: a
// looked-up centre is the very double the checked decoding returns.

namespace pelvorn {

struct SubsquareCentre {
  double latitude;
  double longitude;
};

// Returns the centre of `locator`, which must be well formed (see
// IsWellFormedLocator: capitals, field A-R, square 0-9, subsquare A-X).
SubsquareCentre CentreOfWellFormed(std::u16string_view locator);

}  // namespace pelvorn
