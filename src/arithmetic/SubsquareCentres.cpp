#include "SubsquareCentres.h"

#include "LocatorDecoding.h"

#include <array>
#include <atomic>
#include <cstdint>

namespace pelvorn {
namespace {

constexpr std::size_t CentresPerAxis =
    static_cast<std::size_t>(InnermostCellsPer(0, SubsquareLevels) * CellCount(LocatorGrid[0]));

// The centres along one axis, indexed by the cell numbers of all levels
// read as one mixed-radix number, the field first. An entry is filled on
// first use (0 is no centre of any cell), so a run that decodes two
// locators pays for two, not for the whole table; relaxed atomics keep
// concurrent callers well defined at the cost of a plain load.
using AxisCentres = std::array<std::atomic<double>, CentresPerAxis>;

// Returns the centre of the cell numbered `index` along `axis`.
double CentreAt(Axis axis, std::size_t index) {
  std::array<std::int16_t, SubsquareLevels> codes{};
  for (std::size_t level = SubsquareLevels; level-- > 0;) {
    const auto count = static_cast<std::size_t>(CellCount(LocatorGrid[level]));
    codes[level] = static_cast<std::int16_t>(FirstCode(LocatorGrid[level]) + index % count);
    index /= count;
  }
  return DegreesFromCodes(axis, codes);
}

// Returns the centre numbered `index` from the table of `axis`, filling it first when it is empty.
double Lookup(AxisCentres& centres, Axis axis, std::size_t index) {
  double centre = centres[index].load(std::memory_order_relaxed);
  if (centre == 0.0) {
    centre = CentreAt(axis, index);
    centres[index].store(centre, std::memory_order_relaxed);
  }
  return centre;
}

// Returns the index into the table of `axis` for a well-formed `locator`.
template <class Char>
std::size_t IndexOf(std::basic_string_view<Char> locator, Axis axis) {
  std::size_t index = 0;
  for (std::size_t level = 0; level < SubsquareLevels; ++level) {
    const GridLevel& row = LocatorGrid[level];
    index = index * static_cast<std::size_t>(CellCount(row)) + (locator[CharacterPosition(level, axis)] - row.first);
  }
  return index;
}

AxisCentres latitudes;
AxisCentres longitudes;

template <class Char>
SubsquareCentre Centre(std::basic_string_view<Char> locator) {
  return {Lookup(latitudes, Axis::Latitude, IndexOf(locator, Axis::Latitude)),
          Lookup(longitudes, Axis::Longitude, IndexOf(locator, Axis::Longitude))};
}

}  // namespace

SubsquareCentre CentreOfWellFormed(std::u16string_view locator) { return Centre(locator); }

SubsquareCentre CentreOfWellFormed(std::string_view locator) { return Centre(locator); }

}  // namespace pelvorn
