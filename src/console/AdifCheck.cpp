#include "AdifCheck.h"

#include "arithmetic/GreatCircle.h"
#include "arithmetic/LongPath.h"
#include "common/Texts.h"
#include "common/Text.h"

#include <charconv>
#include <cmath>

namespace pelvorn::adif {
namespace {

// Latitude and longitude are written to a thousandth of a minute.
constexpr double LatLonSlackDegrees = 0.001 / 60;

std::string_view Data(std::string_view text, const FieldPlace& place) {
  return place.present ? text.substr(place.dataBegin, place.dataEnd - place.dataBegin) : std::string_view{};
}

void AddNote(std::string& notes, const std::string& note) {
  if (!notes.empty()) notes += "; ";
  notes += note;
}

struct Point {
  double latitude;
  double longitude;
};

struct StationFields {
  Known grid, ext, lat, lon;
  std::string_view gridName, extName, latName, lonName;
};

constexpr StationFields OwnFields{Known::MyGridsquare, Known::MyGridsquareExt, Known::MyLat, Known::MyLon,
                                  "MY_GRIDSQUARE", "MY_GRIDSQUARE_EXT", "MY_LAT", "MY_LON"};
constexpr StationFields ForeignFields{Known::Gridsquare, Known::GridsquareExt, Known::Lat, Known::Lon,
                                      "GRIDSQUARE", "GRIDSQUARE_EXT", "LAT", "LON"};

// The position of one station by the rule in AdifCheck.h. Returns nothing
// with `invalid` set (and the reason in `reason`) for a field that is not
// valid, nothing with `invalid` clear for no position at all.
std::optional<Point> ReadStation(std::string_view text, const Unit& unit, const StationFields& names,
                                 const std::optional<LocatorCell>& fallback, std::string_view fallbackText,
                                 std::string& shown, bool& invalid, std::string& reason, std::string& notes) {
  const std::string_view grid = Data(text, unit[names.grid]);
  const std::string_view ext = Data(text, unit[names.ext]);
  const std::string_view lat = Data(text, unit[names.lat]);
  const std::string_view lon = Data(text, unit[names.lon]);
  invalid = false;

  std::optional<Point> latLon;
  bool latLonInvalid = false;
  if (!lat.empty() || !lon.empty()) {
    const std::optional<double> latitude = ReadDegreesMinutes(lat, 'N', 'S', 90);
    const std::optional<double> longitude = ReadDegreesMinutes(lon, 'E', 'W', 180);
    if (latitude && longitude) {
      latLon = Point{*latitude, *longitude};
    } else {
      latLonInvalid = true;
      const bool latitudeBad = !latitude;
      AddNote(!grid.empty() ? notes : reason,
              Fill(text::AdifLatLonInvalid, {latitudeBad ? names.latName : names.lonName,
                                             ShownField(latitudeBad ? lat : lon)}));
    }
  }

  if (!grid.empty() || !ext.empty()) {
    if (grid.empty()) {
      invalid = true;
      reason = Fill(text::AdifExtWithoutLocator, {names.extName, names.gridName});
      return std::nullopt;
    }
    if (!ext.empty() && grid.size() != 8) {
      invalid = true;
      reason = Fill(text::AdifExtNeedsEight, {names.extName, ShownField(ext), names.gridName, ShownField(grid)});
      return std::nullopt;
    }
    if (!ext.empty() && ext.size() != 2 && ext.size() != 4) {
      invalid = true;
      reason = Fill(text::AdifExtInvalid, {names.extName, ShownField(ext)});
      return std::nullopt;
    }
    const std::string locator = AsciiCapitals(grid) + AsciiCapitals(ext);
    const std::optional<LocatorCell> cell = ReadExtendedLocator(locator);
    if (!cell) {
      invalid = true;
      reason = Fill(text::AdifLocatorInvalid, {names.gridName, ShownField(locator)});
      return std::nullopt;
    }
    shown = locator;
    if (latLon && !CellContains(*cell, latLon->latitude, latLon->longitude, LatLonSlackDegrees)) {
      AddNote(notes, Fill(text::AdifLatLonOutsideLocator,
                          {names.latName, names.lonName, ShownField(lat), ShownField(lon), locator}));
    }
    return Point{cell->latitude, cell->longitude};
  }
  if (latLonInvalid) {
    invalid = true;
    return std::nullopt;
  }
  if (latLon) {
    shown = ShownField(lat) + " " + ShownField(lon);
    return latLon;
  }
  if (fallback) {
    shown = AsciiCapitals(fallbackText);
    return Point{fallback->latitude, fallback->longitude};
  }
  return std::nullopt;
}

}  // namespace

std::optional<double> ReadNumber(std::string_view text) {
  std::size_t i = 0;
  if (i < text.size() && text[i] == '-') ++i;
  const std::size_t digitsBegin = i;
  while (i < text.size() && text[i] >= '0' && text[i] <= '9') ++i;
  std::size_t digits = i - digitsBegin;
  if (i < text.size() && text[i] == '.') {
    ++i;
    const std::size_t fractionBegin = i;
    while (i < text.size() && text[i] >= '0' && text[i] <= '9') ++i;
    digits += i - fractionBegin;
  }
  if (digits == 0 || i != text.size()) return std::nullopt;
  double value = 0;
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
  if (error != std::errc{} || end != text.data() + text.size() || !std::isfinite(value)) return std::nullopt;
  return value;
}

std::optional<double> ReadDegreesMinutes(std::string_view text, char positive, char negative, int limit) {
  // XDDD MM.MMM
  if (text.size() != 11 || text[4] != ' ' || text[7] != '.') return std::nullopt;
  const char hemisphere = AsciiCapital(text[0]);
  if (hemisphere != positive && hemisphere != negative) return std::nullopt;
  int digits[8];
  constexpr int Positions[8] = {1, 2, 3, 5, 6, 8, 9, 10};
  for (int i = 0; i < 8; ++i) {
    const char c = text[static_cast<std::size_t>(Positions[i])];
    if (c < '0' || c > '9') return std::nullopt;
    digits[i] = c - '0';
  }
  const int degrees = digits[0] * 100 + digits[1] * 10 + digits[2];
  const int thousandths = ((digits[3] * 10 + digits[4]) * 1000) + digits[5] * 100 + digits[6] * 10 + digits[7];
  if (thousandths >= 60000 || degrees > limit || (degrees == limit && thousandths != 0)) return std::nullopt;
  const double value = degrees + thousandths / 60000.0;
  return hemisphere == negative ? -value : value;
}

QsoCheck CheckRecord(std::string_view text, const Unit& unit, const std::optional<OwnLocator>& own) {
  QsoCheck check;
  check.call = Data(text, unit[Known::Call]);
  check.date = Data(text, unit[Known::QsoDate]);
  check.given = Data(text, unit[Known::Distance]);
  check.band = Data(text, unit[Known::Band]);
  check.mode = Data(text, unit[Known::Mode]);
  check.submode = Data(text, unit[Known::Submode]);
  const std::string_view path = Data(text, unit[Known::AntPath]);
  check.longPath = path == "L" || path == "l";

  bool ownInvalid = false, foreignInvalid = false;
  std::string ownReason, foreignReason;
  const std::optional<LocatorCell> ownCell = own ? std::optional<LocatorCell>(own->cell) : std::nullopt;
  const std::optional<Point> ownPoint =
      ReadStation(text, unit, OwnFields, ownCell, own ? std::string_view(own->text) : std::string_view{},
                  check.ownShown, ownInvalid, ownReason, check.notes);
  const std::optional<Point> foreignPoint = ReadStation(text, unit, ForeignFields, std::nullopt, {},
                                                        check.foreignShown, foreignInvalid, foreignReason, check.notes);
  if (ownPoint) {
    check.ownKnown = true;
    check.ownLatitude = ownPoint->latitude;
    check.ownLongitude = ownPoint->longitude;
  }
  if (!ownPoint || !foreignPoint) {
    check.verdict = QsoCheck::Verdict::NoPosition;
    if (ownInvalid) AddNote(check.reason, ownReason);
    if (foreignInvalid) AddNote(check.reason, foreignReason);
    if (!ownPoint && !ownInvalid) AddNote(check.reason, std::string(text::AdifNoOwnPosition));
    if (!foreignPoint && !foreignInvalid) AddNote(check.reason, std::string(text::AdifNoForeignPosition));
    return check;
  }
  // Locator centres and checked latitudes/longitudes are finite.
  const auto [km, direction] =
      UncheckedDistanceAndDirection(ownPoint->latitude, foreignPoint->latitude, ownPoint->longitude,
                                    foreignPoint->longitude);
  const LongPath back = LongPathOf(km, direction, Circumference);
  check.km = km;
  check.direction = direction;
  check.longKm = back.km;
  check.longDirection = back.direction;
  check.foreignLatitude = foreignPoint->latitude, check.foreignLongitude = foreignPoint->longitude;

  check.distanceFields = unit.distances.size();
  if (check.distanceFields > 1) {
    // Which of them the log means is not for Pelvorn to guess.
    check.verdict = QsoCheck::Verdict::Differs;
    check.reason = Fill(text::AdifDistanceTwice, {std::to_string(check.distanceFields)});
    return check;
  }
  if (check.given.empty()) {
    check.verdict = QsoCheck::Verdict::Missing;
    return check;
  }
  const std::optional<double> given = ReadNumber(check.given);
  if (!given) {
    check.verdict = QsoCheck::Verdict::Differs;
    check.reason = Fill(text::AdifDistanceNotNumber, {ShownField(check.given)});
    return check;
  }
  const double computed = check.PathKm();
  if (std::fabs(*given - computed) > ToleranceKm + TolerancePart * computed) {
    check.verdict = QsoCheck::Verdict::Differs;
    check.reason = Fill(text::AdifDistanceDiffers, {ShownField(check.given)});
    return check;
  }
  check.verdict = QsoCheck::Verdict::Agrees;
  return check;
}

}  // namespace pelvorn::adif
