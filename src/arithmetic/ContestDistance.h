#pragma once

#include <optional>
#include <string_view>

// Contest kilometres as VHF/UHF/SHF contests in IARU Region 1 score them:
// the distance between the centres of the two subsquares by the spherical
// law of cosines, at 111.2 km per degree of arc, truncated to an integer,
// plus 1 km. Identical locators give 1. This is also the QSO-points figure
// of an EDI (REG1TEST) log on a band scored one point per kilometre.
//
// The contest model is kept apart from the program's own sphere: it uses
// the full-precision pi and its own circumference (360 x 111.2 km).

namespace pelvorn {

// Kilometres per degree of arc on the contest sphere.
inline constexpr double ContestKmPerDegree = 111.2;
// Circumference of the contest sphere in km: 40032.
inline constexpr double ContestCircumference = 360 * ContestKmPerDegree;

// Returns the central angle in degrees (0 to 180) between two positions in
// degrees; longitudes may be signed or 0..360. The cosine is clamped to
// [-1, 1], so rounding never makes it NaN.
double ContestArcDegrees(double lat1, double lat2, double lon1, double lon2);

// Returns floor(111.2 x arc in degrees) + 1 for two positions in degrees;
// never fails.
long ContestKilometres(double lat1, double lat2, double lon1, double lon2);

// How a locator of a log or a command line is read for contest purposes.
struct ContestLocator {
  enum class Kind {
    Subsquare,    // six characters, read exactly
    SquareOnly,   // four characters, completed to the square centre (subsquare MM)
    Invalid,      // anything else
  };
  Kind kind = Kind::Invalid;
  double latitude = 0;   // centre, degrees north
  double longitude = 0;  // centre, degrees east (0..360)
};

// Reads `text` (ASCII, any case, no blanks): six characters field A-R,
// square 0-9, subsquare A-X give that subsquare's centre; four characters
// field and square give the centre of the square, as the window completes
// them with "MM"; everything else is Invalid.
ContestLocator ReadContestLocator(std::string_view text);

// Returns the contest kilometres between two locators read by
// ReadContestLocator, or nothing when either is Invalid.
std::optional<long> ContestKilometresBetween(std::string_view own, std::string_view foreign);

}  // namespace pelvorn
