#pragma once

#include "arithmetic/ExtendedLocator.h"
#include "console/AdifReader.h"

#include <optional>
#include <string>
#include <string_view>

// What one QSO record of an ADIF log says and what Pelvorn computes for it.
//
// Position rule, for each station: the locator (MY_GRIDSQUARE, or
// GRIDSQUARE for the other station, with its _EXT field), else the
// latitude and longitude (MY_LAT/MY_LON, LAT/LON), else, for the own
// station only, the --own locator; else the QSO has no position. A locator
// wins over latitude and longitude: it is what the operators exchanged; a
// latitude/longitude outside its locator's cell is reported. A field that
// is there but not valid is reported and never replaced by the next one.
//
// Tolerance: a DISTANCE agrees when it lies within 1 km + 0.5 % of the
// computed distance along the path the QSO took (ANT_PATH L: the long path).

namespace pelvorn::adif {

inline constexpr double ToleranceKm = 1.0;
inline constexpr double TolerancePart = 0.005;

struct QsoCheck {
  enum class Verdict {
    Agrees,      // DISTANCE within the tolerance
    Missing,     // no DISTANCE (or an empty one)
    Differs,     // DISTANCE outside the tolerance or not a number, or more than one DISTANCE
    NoPosition,  // a station without position, or with a field that is not valid
  };
  Verdict verdict = Verdict::NoPosition;
  std::string_view call;     // as written (views into the reader's buffer)
  std::string_view date;
  std::string_view given;    // the DISTANCE as written
  std::string_view band, mode, submode;
  std::string ownShown;      // the own position as read (locator in capitals, or LAT LON)
  std::string foreignShown;
  std::string reason;        // NoPosition / Differs: why, in German
  std::string notes;         // further findings ("; "-separated), e.g. a LAT/LON outside its locator
  std::size_t distanceFields = 0;
  bool longPath = false;     // ANT_PATH L
  bool ownKnown = false;     // the own position, also for a QSO without the other station's
  double ownLatitude = 0, ownLongitude = 0;
  double km = 0, direction = 0, longKm = 0, longDirection = 0;
  double foreignLatitude = 0, foreignLongitude = 0;  // Computed(): where the path ends

  bool Computed() const { return verdict != Verdict::NoPosition; }
  double PathKm() const { return longPath ? longKm : km; }
  double PathDirection() const { return longPath ? longDirection : direction; }
};

// The --own locator: as given, and its cell.
struct OwnLocator {
  std::string text;
  LocatorCell cell;
};

// Checks the record `unit` of `text`; `own` is the --own locator, if any.
QsoCheck CheckRecord(std::string_view text, const Unit& unit, const std::optional<OwnLocator>& own);

// Reads an ADIF Number (optional minus, digits, optional point and digits).
std::optional<double> ReadNumber(std::string_view text);

// Reads XDDD MM.MMM (X one of `positive` and `negative`, e.g. N and S),
// degrees up to `limit`; returns signed degrees.
std::optional<double> ReadDegreesMinutes(std::string_view text, char positive, char negative, int limit);

}  // namespace pelvorn::adif
