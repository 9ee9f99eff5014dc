#pragma once

#include <optional>
#include <string_view>

// Locators of 2 to 12 characters as the console tools read them (the
// window keeps its four and six, the EDI log the contest's six). Each pair
// names a cell inside the cell of the pair before it (LocatorGrid.h);
// letters may be of either case.

namespace pelvorn {

struct LocatorCell {
  double latitude;   // the point the distance is computed from, degrees north
  double longitude;  // degrees east, 0 to below 360
  double south;      // the cell itself: its south-west corner (longitude 0..360)
  double west;
  double height;     // its size in degrees
  double width;
};

// Returns the cell named by `text`: 2, 4, 6, 8, 10 or 12 characters, each
// pair within its level's range (A-R, 0-9, A-X, 0-9, A-X, 0-9). The point is
// the centre of the cell, but for four characters the centre of subsquare
// MM, as the window completes them ("JO62" is "JO62MM"); six characters give
// the very doubles the window computes. Returns nothing for any other text.
std::optional<LocatorCell> ReadExtendedLocator(std::string_view text);

// Returns whether (latitude, longitude) in degrees (longitude signed or
// 0..360) lies inside `cell`, allowing `slackDegrees` beyond its edges.
bool CellContains(const LocatorCell& cell, double latitude, double longitude, double slackDegrees);

}  // namespace pelvorn
