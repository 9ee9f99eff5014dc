#include "BatchLine.h"

#include "arithmetic/ContestDistance.h"
#include "arithmetic/DegreesToLocator.h"
#include "arithmetic/ExtendedLocator.h"
#include "arithmetic/LocatorGrid.h"
#include "arithmetic/GreatCircle.h"
#include "arithmetic/LongPath.h"
#include "arithmetic/NumberPatterns.h"
#include "arithmetic/SubsquareCentres.h"
#include "console/TsvLine.h"
#include "common/Text.h"
#include "common/Texts.h"
#include "common/CommandLine.h"
#include "arithmetic/LocatorInput.h"

#include <limits>

namespace pelvorn {
namespace {

// Adds to `reason` the warning the window would show in a box for a
// coordinate out of range, with the command-line field it is about, or that
// the field was not read.
void AddRangeReason(std::string& reason, CoordinateOutOfRange outOfRange, bool own, bool longitudeRead,
                    bool latitudeRead) {
  if (outOfRange == CoordinateOutOfRange::None) return;
  if (!reason.empty()) reason += "; ";
  const bool longitude = outOfRange == CoordinateOutOfRange::Longitude;
  const std::string_view field = own ? (longitude ? text::OwnLongitudeField : text::OwnLatitudeField)
                                     : (longitude ? text::ForeignLongitudeField : text::ForeignLatitudeField);
  if (!(longitude ? longitudeRead : latitudeRead)) {
    reason += Fill(text::FieldNotANumber, {field});
    return;
  }
  const auto trimmed = [](std::string_view text) {
    while (!text.empty() && text.front() == ' ') text.remove_prefix(1);
    while (!text.empty() && text.back() == ' ') text.remove_suffix(1);
    return text;
  };
  const text::CoordinateWarning warning = text::CoordinateWarningFor(outOfRange == CoordinateOutOfRange::Longitude);
  reason += Fill(text::About, {field, std::string(trimmed(warning.title)) + ' ' + std::string(trimmed(warning.prompt))});
}

struct Pair {
  std::string ownLocator;
  std::string foreignLocator;
  double lat1, lat2, lon1, lon2;
  bool centres = false;   // the coordinates are the centres of the two locators
  bool extended = false;  // one of them has 2, 8, 10 or 12 characters
};

// The window's Calculate action on one box: keeps what the box would keep
// (six characters), then trims, upper-cases and completes.
std::string NormaliseBox(std::u16string_view field, std::u16string& locator) {
  const std::u16string_view boxText = field.substr(0, LocatorBoxMaxLength);
  const LocatorBoxOutcome outcome = NormaliseLocatorBox(boxText);
  switch (outcome.verdict) {
    case LocatorBoxOutcome::Verdict::TooShort:
      return Fill(text::LocatorTooShort, {ToUtf8(boxText)});
    case LocatorBoxOutcome::Verdict::Malformed:
      return Fill(text::LocatorInvalid, {ToUtf8(outcome.text)});
    case LocatorBoxOutcome::Verdict::Accepted:
      break;
  }
  locator = outcome.text;
  return {};
}

// A locator of 2, 8, 10 or 12 characters (which the window's box does not
// take) read into `locator` and `centre`; returns false for other lengths.
bool ExtendedLocator(std::u16string_view field, std::string& locator, std::optional<LocatorCell>& cell) {
  const std::u16string text = ToCapitals(TrimBlanks(field));
  if (text.size() != 2 && text.size() != 8 && text.size() != 10 && text.size() != 12) return false;
  locator = ToUtf8(text);
  cell = ReadExtendedLocator(locator);
  return true;
}

std::string ExtendedPair(const CommandLineValues& values, Pair& pair, bool& handled) {
  std::string own, foreign;
  std::optional<LocatorCell> ownCell, foreignCell;
  const bool ownExtended = ExtendedLocator(values.ownLocator, own, ownCell);
  const bool foreignExtended = ExtendedLocator(values.foreignLocator, foreign, foreignCell);
  handled = ownExtended || foreignExtended;
  if (!handled) return {};
  if (!ownExtended) {
    std::u16string text;
    if (std::string reason = NormaliseBox(values.ownLocator, text); !reason.empty()) return Fill(text::About, {text::OwnLocatorField, reason});
    own = ToUtf8(text);
    ownCell = ReadExtendedLocator(own);
  } else if (!ownCell) {
    return Fill(text::About, {text::OwnLocatorField, Fill(text::LocatorInvalid, {own})});
  }
  if (!foreignExtended) {
    std::u16string text;
    if (std::string reason = NormaliseBox(values.foreignLocator, text); !reason.empty()) {
      return Fill(text::About, {text::ForeignLocatorField, reason});
    }
    foreign = ToUtf8(text);
    foreignCell = ReadExtendedLocator(foreign);
  } else if (!foreignCell) {
    return Fill(text::About, {text::ForeignLocatorField, Fill(text::LocatorInvalid, {foreign})});
  }
  pair.ownLocator = own;
  pair.foreignLocator = foreign;
  pair.lat1 = ownCell->latitude;
  pair.lon1 = ownCell->longitude;
  pair.lat2 = foreignCell->latitude;
  pair.lon2 = foreignCell->longitude;
  pair.centres = true;
  pair.extended = true;
  return {};
}

std::string LocatorPair(const CommandLineValues& values, Pair& pair) {
  bool extended = false;
  if (std::string reason = ExtendedPair(values, pair, extended); extended) return reason;
  std::u16string ownText, foreignText;
  if (std::string reason = NormaliseBox(values.ownLocator, ownText); !reason.empty()) {
    return Fill(text::About, {text::OwnLocatorField, reason});
  }
  if (std::string reason = NormaliseBox(values.foreignLocator, foreignText); !reason.empty()) {
    return Fill(text::About, {text::ForeignLocatorField, reason});
  }
  pair.ownLocator = ToUtf8(ownText);
  pair.foreignLocator = ToUtf8(foreignText);
  // Accepted locators are well formed: their decoding cannot fail, and the
  // table holds exactly what it would return.
  const SubsquareCentre own = CentreOfWellFormed(ownText);
  const SubsquareCentre foreign = CentreOfWellFormed(foreignText);
  pair.lat1 = own.latitude;
  pair.lon1 = own.longitude;
  pair.lat2 = foreign.latitude;
  pair.lon2 = foreign.longitude;
  pair.centres = true;
  return {};
}

std::string DegreePair(const CommandLineValues& values, Pair& pair) {
  // A number the line does not give is out of every range, as in the window.
  const double unread = std::numeric_limits<double>::quiet_NaN();
  pair.lat1 = values.ownLatitude.value_or(unread);
  pair.lat2 = values.foreignLatitude.value_or(unread);
  pair.lon1 = values.ownLongitude.value_or(unread);
  pair.lon2 = values.foreignLongitude.value_or(unread);
  const LocatorFromDegrees own = DegreesToLocator(pair.lon1, pair.lat1);
  const LocatorFromDegrees foreign = DegreesToLocator(pair.lon2, pair.lat2);
  pair.ownLocator = own.locator;
  pair.foreignLocator = foreign.locator;
  std::string reason;
  AddRangeReason(reason, own.outOfRange, true, values.ownLongitude.has_value(), values.ownLatitude.has_value());
  AddRangeReason(reason, foreign.outOfRange, false, values.foreignLongitude.has_value(),
                 values.foreignLatitude.has_value());
  return reason;
}

// Field `index` of `line` as written, for the TSV line of an input without a result.
std::string_view Field(std::string_view line, std::size_t index) {
  for (std::size_t i = 0; i < index; ++i) {
    const std::size_t separator = line.find(';');
    if (separator == std::string_view::npos) return {};
    line.remove_prefix(separator + 1);
  }
  return line.substr(0, line.find(';'));
}

std::string Refuse(std::string_view line, BatchFormat format, std::string reason, std::string& out) {
  if (format == BatchFormat::Tsv) AppendTsvWithoutResult(out, Field(line, 1), Field(line, 2));
  return reason;
}

// Reads `line` into `pair`; returns the empty text or the reason.
std::string ReadPair(std::string_view line, const NumberLocale& locale, Pair& pair) {
  if (line.empty()) return std::string(text::EmptyLine);
  const std::u16string text = FromUtf8(line);
  if (text.size() > LongestCommandLine) return Fill(text::LineTooLong, {std::to_string(LongestCommandLine)});
  CommandLineValues values;
  const std::u16string mode = ParseCommandLine(text, values, locale);
  if (mode == u"L") return LocatorPair(values, pair);
  if (mode == u"G") return DegreePair(values, pair);
  if (mode.empty()) return Fill(text::ModeMissing, {text::OnlyLOrG});
  return Fill(text::WrongMode, {ToUtf8(mode), text::OnlyLOrG});
}

}  // namespace

std::string ReadBatchPair(std::string_view line, const NumberLocale& locale, BatchPair& out) {
  Pair pair{};
  if (std::string reason = ReadPair(line, locale, pair); !reason.empty()) return reason;
  const auto [km, direction] = UncheckedDistanceAndDirection(pair.lat1, pair.lat2, pair.lon1, pair.lon2);
  out = {pair.ownLocator, pair.foreignLocator, pair.lat1, pair.lon1, pair.lat2, pair.lon2,
         ToUtf8(ResultLine(FormatDistance(km, locale), FormatDirection(direction, locale)))};
  return {};
}

std::string AppendBatchLine(std::string_view line, BatchFormat format, const NumberLocale& locale, std::string& out) {
  Pair pair{};
  if (std::string reason = ReadPair(line, locale, pair); !reason.empty()) return Refuse(line, format, std::move(reason), out);

  // The coordinates are locator centres or degrees DegreesToLocator has
  // accepted: finite, so the checked steps could not fault, and the
  // unchecked ones give the same doubles.
  const auto [km, direction] = UncheckedDistanceAndDirection(pair.lat1, pair.lat2, pair.lon1, pair.lon2);

  if (format == BatchFormat::ResultLine) {
    out += ToUtf8(ResultLine(FormatDistance(km, locale), FormatDirection(direction, locale)));
    return {};
  }
  const LongPath back = LongPathOf(km, direction, Circumference);
  // Contest kilometres run between the centres of the two subsquares, also
  // when the distance comes from degrees.
  // A contest scores the subsquares: the first six characters of longer
  // locators; a field alone only by its centre.
  const auto subsquare = [](const std::string& locator) { return std::string_view(locator).substr(0, LocatorLength); };
  const long contestKm =
      pair.extended ? ContestKilometresBetween(subsquare(pair.ownLocator), subsquare(pair.foreignLocator))
                          .value_or(ContestKilometres(pair.lat1, pair.lat2, pair.lon1, pair.lon2))
      : pair.centres ? ContestKilometres(pair.lat1, pair.lat2, pair.lon1, pair.lon2)
                                      : ContestKilometresBetween(pair.ownLocator, pair.foreignLocator).value_or(0);
  AppendTsvLine(out, {pair.ownLocator, pair.foreignLocator, km, direction, back.km, back.direction, contestKm});
  return {};
}

}  // namespace pelvorn
