#pragma once

#include <array>
#include <cstddef>
#include <cstdint>

// The Maidenhead grid as one table. A locator is a sequence of character
// pairs, longitude first; each pair names a cell inside the cell of the pair
// before it. Encoding, decoding and the table of cell centres all read their
// sizes from here, so a longer locator needs only more rows (and its number
// of levels where it is read or written).

namespace pelvorn {

// The two coordinates; the characters of a pair are in this order.
enum class Axis { Longitude, Latitude };

// One level of the grid: the characters naming its cells, west to east and
// south to north, and the size of one cell in degrees.
struct GridLevel {
  char16_t first;
  char16_t last;
  double longitudeDegrees;
  double latitudeDegrees;
};

// Every level of the grid, coarsest first.
inline constexpr std::array<GridLevel, 6> LocatorGrid = {{
    {u'A', u'R', 20, 10},                                // field: 18 x 18 on the globe
    {u'0', u'9', 2, 1},                                  // square: 10 x 10 in a field
    {u'A', u'X', 5.0 / 60, 2.5 / 60},                    // subsquare: 24 x 24 in a square
    {u'0', u'9', 0.5 / 60, 0.25 / 60},                   // extended square: 10 x 10 in a subsquare
    {u'A', u'X', 0.5 / 60 / 24, 0.25 / 60 / 24},         // extended subsquare: 24 x 24 (10 characters)
    {u'0', u'9', 0.5 / 60 / 240, 0.25 / 60 / 240},       // 10 x 10 once more (12 characters)
}};

// The levels of the grid that hold whole degrees (field and square); their
// decoding is 16-bit integer arithmetic, that of the finer ones double.
inline constexpr std::size_t WholeDegreeLevels = 2;

// The levels of the six-character locator the program reads and writes:
// field, square and subsquare.
inline constexpr std::size_t SubsquareLevels = 3;
static_assert(SubsquareLevels <= LocatorGrid.size());

// The number of characters of that locator.
inline constexpr std::size_t LocatorLength = 2 * SubsquareLevels;

// The most characters a locator of the grid has (12: six levels), as the
// console tools read them; the window and the EDI log keep six.
inline constexpr std::size_t LongestLocatorLength = 2 * LocatorGrid.size();

// Returns how many cells a level divides its parent cell into; never fails.
constexpr int CellCount(const GridLevel& level) { return level.last - level.first + 1; }

// Returns the size of a cell of `level` along `axis` in degrees.
constexpr double CellDegrees(const GridLevel& level, Axis axis) {
  return axis == Axis::Longitude ? level.longitudeDegrees : level.latitudeDegrees;
}

// Returns the code of the first character of `level`, for 16-bit steps.
constexpr std::int16_t FirstCode(const GridLevel& level) { return static_cast<std::int16_t>(level.first); }

// Returns the edge of the grid's first cell along `axis`: -180 or -90 degrees.
constexpr int GridOrigin(Axis axis) {
  return -static_cast<int>(CellCount(LocatorGrid[0]) * CellDegrees(LocatorGrid[0], axis)) / 2;
}

// Returns the 0-based position in a locator of the character of `level` along `axis`.
constexpr std::size_t CharacterPosition(std::size_t level, Axis axis) {
  return 2 * level + (axis == Axis::Latitude ? 1 : 0);
}

// Returns how many cells of level `levels` - 1 lie in one cell of `level`.
constexpr int InnermostCellsPer(std::size_t level, std::size_t levels) {
  int cells = 1;
  for (std::size_t finer = level + 1; finer < levels; ++finer) cells *= CellCount(LocatorGrid[finer]);
  return cells;
}

static_assert(CellDegrees(LocatorGrid[0], Axis::Longitude) * CellCount(LocatorGrid[0]) == 360);
static_assert(CellDegrees(LocatorGrid[0], Axis::Latitude) * CellCount(LocatorGrid[0]) == 180);

}  // namespace pelvorn
