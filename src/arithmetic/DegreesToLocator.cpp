#include "DegreesToLocator.h"

#include "LocatorGrid.h"

#include <cmath>

namespace pelvorn {
namespace {

// Returns the number of whole cells of the finest level between the grid's
// origin and `degrees` (which must lie on the grid), taken with floor, so a
// boundary belongs to the cell above it.
int FinestCellsFromOrigin(double degrees, Axis axis) {
  const int cellsPerDegree = FinestCellsPer(0) / static_cast<int>(CellDegrees(LocatorGrid[0], axis));
  double cells = std::floor(degrees * cellsPerDegree);
  // The product may round up onto a boundary the position lies just below;
  // the exact remainder tells.
  if (std::fma(degrees, cellsPerDegree, -cells) < 0) cells -= 1;
  return static_cast<int>(cells) - GridOrigin(axis) * cellsPerDegree;
}

// Returns the character naming cell `index` of `level`.
char CellCharacter(std::size_t level, int index) { return static_cast<char>(LocatorGrid[level].first + index); }

// Writes the characters of `degrees` along `axis` into their places in `locator`.
void WriteAxis(double degrees, Axis axis, std::string& locator) {
  int cells = FinestCellsFromOrigin(degrees, axis);
  for (std::size_t level = LocatorGrid.size() - 1; level > 0; --level) {
    const int count = CellCount(LocatorGrid[level]);
    locator[CharacterPosition(level, axis)] = CellCharacter(level, cells % count);
    cells /= count;
  }
  locator[CharacterPosition(0, axis)] = CellCharacter(0, cells);
}

}  // namespace

LocatorFromDegrees DegreesToLocator(double longitude, double latitude) {
  if (!(std::fabs(longitude) < 180)) return {{}, CoordinateOutOfRange::Longitude};
  if (!(std::fabs(latitude) < 90)) return {{}, CoordinateOutOfRange::Latitude};
  std::string locator(LocatorLength, ' ');
  WriteAxis(longitude, Axis::Longitude, locator);
  WriteAxis(latitude, Axis::Latitude, locator);
  return {locator, CoordinateOutOfRange::None};
}

}  // namespace pelvorn
