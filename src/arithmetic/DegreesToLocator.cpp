#include "DegreesToLocator.h"

#include "LocatorGrid.h"

#include <cmath>

namespace pelvorn {
namespace {

// Returns the number of whole cells of level `levels` - 1 between the
// grid's origin and `degrees` (which must lie on the grid), taken with floor,
// so a boundary belongs to the cell above it.
int InnermostCellsFromOrigin(double degrees, Axis axis, std::size_t levels) {
  const int cellsPerDegree = InnermostCellsPer(0, levels) / static_cast<int>(CellDegrees(LocatorGrid[0], axis));
  double cells = std::floor(degrees * cellsPerDegree);
  // The product may round up onto a boundary the position lies just below;
  // the exact remainder tells.
  if (std::fma(degrees, cellsPerDegree, -cells) < 0) cells -= 1;
  return static_cast<int>(cells) - GridOrigin(axis) * cellsPerDegree;
}

// Returns the character naming cell `index` of `level`.
char CellCharacter(std::size_t level, int index) { return static_cast<char>(LocatorGrid[level].first + index); }

// Writes the characters of `degrees` along `axis` for the first `levels`
// levels into their places in `locator`.
void WriteAxis(double degrees, Axis axis, std::size_t levels, std::string& locator) {
  int cells = InnermostCellsFromOrigin(degrees, axis, levels);
  for (std::size_t level = levels - 1; level > 0; --level) {
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
  WriteAxis(longitude, Axis::Longitude, SubsquareLevels, locator);
  WriteAxis(latitude, Axis::Latitude, SubsquareLevels, locator);
  return {locator, CoordinateOutOfRange::None};
}

}  // namespace pelvorn
