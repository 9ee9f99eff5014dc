#include "ExtendedLocator.h"
#include "common/Text.h"

#include "LocatorDecoding.h"
#include "LocatorGrid.h"
#include "SubsquareCentres.h"

#include <array>
#include <cstdint>

namespace pelvorn {

std::optional<LocatorCell> ReadExtendedLocator(std::string_view text) {
  if (text.empty() || text.size() % 2 != 0 || text.size() > LongestLocatorLength) return std::nullopt;
  std::array<char16_t, LongestLocatorLength> capitals{};
  for (std::size_t position = 0; position < text.size(); ++position) {
    const char c = AsciiCapital(text[position]);
    const GridLevel& level = LocatorGrid[position / 2];
    if (c < level.first || c > level.last) return std::nullopt;
    capitals[position] = static_cast<char16_t>(c);
  }
  const std::size_t levels = text.size() / 2;
  const GridLevel& finest = LocatorGrid[levels - 1];
  const double height = CellDegrees(finest, Axis::Latitude);
  const double width = CellDegrees(finest, Axis::Longitude);
  if (levels == 2 || levels == SubsquareLevels) {
    // The window's subsquare centres, from its own table; the cell's corner
    // lies 12.5 subsquares (a square) or half a subsquare from it.
    if (levels == 2) {
      capitals[4] = u'M';
      capitals[5] = u'M';
    }
    const SubsquareCentre centre = CentreOfWellFormed(std::u16string_view(capitals.data(), LocatorLength));
    const double subsquaresToCorner = levels == 2 ? CellCount(LocatorGrid[2]) / 2.0 + 0.5 : 0.5;
    const GridLevel& subsquare = LocatorGrid[2];
    return LocatorCell{centre.latitude,
                       centre.longitude,
                       centre.latitude - subsquaresToCorner * CellDegrees(subsquare, Axis::Latitude),
                       centre.longitude - subsquaresToCorner * CellDegrees(subsquare, Axis::Longitude),
                       height,
                       width};
  }
  std::array<std::int16_t, LocatorGrid.size()> latitudeCodes{}, longitudeCodes{};
  for (std::size_t level = 0; level < levels; ++level) {
    longitudeCodes[level] = static_cast<std::int16_t>(capitals[CharacterPosition(level, Axis::Longitude)]);
    latitudeCodes[level] = static_cast<std::int16_t>(capitals[CharacterPosition(level, Axis::Latitude)]);
  }
  // Well-formed codes: no 16-bit step can overflow.
  const double latitude = DegreesFromCodes(Axis::Latitude, std::span(latitudeCodes).first(levels));
  const double longitude = DegreesFromCodes(Axis::Longitude, std::span(longitudeCodes).first(levels));
  return LocatorCell{latitude, longitude, latitude - height / 2, longitude - width / 2, height, width};
}

bool CellContains(const LocatorCell& cell, double latitude, double longitude, double slackDegrees) {
  if (!(latitude >= cell.south - slackDegrees && latitude <= cell.south + cell.height + slackDegrees)) return false;
  double east = longitude - cell.west;  // degrees east of the cell's west edge, brought into [-180, 180)
  while (east >= 180) east -= 360;
  while (east < -180) east += 360;
  return east >= -slackDegrees && east <= cell.width + slackDegrees;
}

}  // namespace pelvorn
