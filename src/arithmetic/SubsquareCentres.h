#pragma once

#include <string_view>

// The centres of all well-formed locators, for runs that decode millions of
// them. Latitude and longitude each depend on the characters of their own
// axis only, so one table per axis holds them (18 x 10 x 24 doubles), each
// filled on first use by DegreesFromCodes itself: a looked-up centre is the
// very double the checked decoding returns.

namespace pelvorn {

struct SubsquareCentre {
  double latitude;
  double longitude;
};

// Returns the centre of `locator`, which must be well formed (see
// IsWellFormedLocator); anything else is undefined behaviour.
SubsquareCentre CentreOfWellFormed(std::u16string_view locator);
// The same for a locator read as bytes.
SubsquareCentre CentreOfWellFormed(std::string_view locator);

}  // namespace pelvorn
