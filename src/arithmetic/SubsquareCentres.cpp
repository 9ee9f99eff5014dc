#include "SubsquareCentres.h"

#include "LocatorDecoding.h"

#include <array>
#include <cstdint>

namespace pelvorn {
namespace {

constexpr std::size_t CentresPerAxis =
    static_cast<std::size_t>(InnermostCellsPer(0, SubsquareLevels) * CellCount(LocatorGrid[0]));

// The centres along one axis, indexed by the cell numbers of all levels
// read as one mixed-radix number, the field first.
using AxisCentres = std::array<double, CentresPerAxis>;

// Returns the table of `axis`.
AxisCentres CentresAlong(Axis axis) {
  AxisCentres centres{};
  for (std::size_t index = 0; index < centres.size(); ++index) {
    std::array<std::int16_t, SubsquareLevels> codes{};
    std::size_t rest = index;
    for (std::size_t level = SubsquareLevels; level-- > 0;) {
      const auto count = static_cast<std::size_t>(CellCount(LocatorGrid[level]));
      codes[level] = static_cast<std::int16_t>(FirstCode(LocatorGrid[level]) + rest % count);
      rest /= count;
    }
    centres[index] = DegreesFromCodes(axis, codes);
  }
  return centres;
}

// Returns the index into the table of `axis` for a well-formed `locator`.
std::size_t IndexOf(std::u16string_view locator, Axis axis) {
  std::size_t index = 0;
  for (std::size_t level = 0; level < SubsquareLevels; ++level) {
    const GridLevel& row = LocatorGrid[level];
    index = index * static_cast<std::size_t>(CellCount(row)) + (locator[CharacterPosition(level, axis)] - row.first);
  }
  return index;
}

}  // namespace

SubsquareCentre CentreOfWellFormed(std::u16string_view locator) {
  static const AxisCentres latitudes = CentresAlong(Axis::Latitude);
  static const AxisCentres longitudes = CentresAlong(Axis::Longitude);
  return {latitudes[IndexOf(locator, Axis::Latitude)], longitudes[IndexOf(locator, Axis::Longitude)]};
}

}  // namespace pelvorn
