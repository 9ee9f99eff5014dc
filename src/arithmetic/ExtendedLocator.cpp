#include "ExtendedLocator.h"

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
    char c = text[position];
    if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
    const GridLevel& level = LocatorGrid[position / 2];
    if (c < level.first || c > level.last) return std::nullopt;
    capitals[position] = static_cast<char16_t>(c);
  }
  const std::size_t levels = text.size() / 2;
  std::array<std::int16_t, LocatorGrid.size()> latitudeCodes{}, longitudeCodes{};
  for (std::size_t level = 0; level < levels; ++level) {
    longitudeCodes[level] = static_cast<std::int16_t>(capitals[CharacterPosition(level, Axis::Longitude)]);
    latitudeCodes[level] = static_cast<std::int16_t>(capitals[CharacterPosition(level, Axis::Latitude)]);
  }
  // Well-formed codes: no 16-bit step can overflow.
  const double latitude = DegreesFromCodes(Axis::Latitude, std::span(latitudeCodes).first(levels));
  const double longitude = DegreesFromCodes(Axis::Longitude, std::span(longitudeCodes).first(levels));
  const GridLevel& finest = LocatorGrid[levels - 1];
  LocatorCell cell{latitude,
                   longitude,
                   latitude - CellDegrees(finest, Axis::Latitude) / 2,
                   longitude - CellDegrees(finest, Axis::Longitude) / 2,
                   CellDegrees(finest, Axis::Latitude),
                   CellDegrees(finest, Axis::Longitude)};
  if (levels == 2 || levels == SubsquareLevels) {
    // The window's subsquare centres, from its own table.
    if (levels == 2) {
      capitals[4] = u'M';
      capitals[5] = u'M';
    }
    const SubsquareCentre centre = CentreOfWellFormed(std::u16string_view(capitals.data(), LocatorLength));
    cell.latitude = centre.latitude;
    cell.longitude = centre.longitude;
  }
  return cell;
}

bool CellContains(const LocatorCell& cell, double latitude, double longitude, double slackDegrees) {
  if (!(latitude >= cell.south - slackDegrees && latitude <= cell.south + cell.height + slackDegrees)) return false;
  double east = longitude - cell.west;  // degrees east of the cell's west edge, brought into [-180, 180)
  while (east >= 180) east -= 360;
  while (east < -180) east += 360;
  return east >= -slackDegrees && east <= cell.width + slackDegrees;
}

}  // namespace pelvorn
