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

#include <algorithm>
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

// Text of a batch line as the line holds it: ASCII bytes or UTF-16.
template <class Char>
using Text = std::basic_string_view<Char>;

std::string Utf8(std::string_view text) { return std::string(text); }
std::string Utf8(std::u16string_view text) { return ToUtf8(text); }

// What the command line gives a batch line, as views into it.
template <class Char>
struct LineValues {
  Text<Char> ownLocator;
  Text<Char> foreignLocator;
  std::optional<double> ownLatitude;
  std::optional<double> foreignLatitude;
  std::optional<double> ownLongitude;
  std::optional<double> foreignLongitude;
};

struct Pair {
  std::string ownLocator;
  std::string foreignLocator;
  double lat1, lat2, lon1, lon2;
  bool centres = false;   // the coordinates are the centres of the two locators
  bool extended = false;  // one of them has 2, 8, 10 or 12 characters
};

// The window's Calculate action on one box: keeps what the box would keep
// (six characters), then trims, upper-cases and completes.
template <class Char>
std::string NormaliseBox(Text<Char> field, std::basic_string<Char>& locator) {
  const Text<Char> boxText = field.substr(0, LocatorBoxMaxLength);
  BasicLocatorBoxOutcome<Char> outcome = NormaliseLocatorBox(boxText);
  switch (outcome.verdict) {
    case LocatorBoxVerdict::TooShort:
      return Fill(text::LocatorTooShort, {Utf8(boxText)});
    case LocatorBoxVerdict::Malformed:
      return Fill(text::LocatorInvalid, {Utf8(outcome.text)});
    case LocatorBoxVerdict::Accepted:
      break;
  }
  locator = std::move(outcome.text);
  return {};
}

// A locator of 2, 8, 10 or 12 characters (which the window's box does not
// take) read into `locator` and `centre`; returns false for other lengths.
template <class Char>
bool ExtendedLocator(Text<Char> field, std::string& locator, std::optional<LocatorCell>& cell) {
  const Text<Char> trimmed = WithoutBlanks(field);
  const std::size_t size = trimmed.size();
  if (size != 2 && size != 8 && size != 10 && size != 12) return false;
  locator = Utf8(Capitals(trimmed));
  cell = ReadExtendedLocator(locator);
  return true;
}

template <class Char>
std::string ExtendedPair(const LineValues<Char>& values, Pair& pair, bool& handled) {
  std::string own, foreign;
  std::optional<LocatorCell> ownCell, foreignCell;
  const bool ownExtended = ExtendedLocator(values.ownLocator, own, ownCell);
  const bool foreignExtended = ExtendedLocator(values.foreignLocator, foreign, foreignCell);
  handled = ownExtended || foreignExtended;
  if (!handled) return {};
  if (!ownExtended) {
    std::basic_string<Char> text;
    if (std::string reason = NormaliseBox(values.ownLocator, text); !reason.empty()) return Fill(text::About, {text::OwnLocatorField, reason});
    own = Utf8(text);
    ownCell = ReadExtendedLocator(own);
  } else if (!ownCell) {
    return Fill(text::About, {text::OwnLocatorField, Fill(text::LocatorInvalid, {own})});
  }
  if (!foreignExtended) {
    std::basic_string<Char> text;
    if (std::string reason = NormaliseBox(values.foreignLocator, text); !reason.empty()) {
      return Fill(text::About, {text::ForeignLocatorField, reason});
    }
    foreign = Utf8(text);
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

template <class Char>
std::string LocatorPair(const LineValues<Char>& values, Pair& pair) {
  bool extended = false;
  if (std::string reason = ExtendedPair(values, pair, extended); extended) return reason;
  std::basic_string<Char> ownText, foreignText;
  if (std::string reason = NormaliseBox(values.ownLocator, ownText); !reason.empty()) {
    return Fill(text::About, {text::OwnLocatorField, reason});
  }
  if (std::string reason = NormaliseBox(values.foreignLocator, foreignText); !reason.empty()) {
    return Fill(text::About, {text::ForeignLocatorField, reason});
  }
  pair.ownLocator = Utf8(ownText);
  pair.foreignLocator = Utf8(foreignText);
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

template <class Char>
std::string DegreePair(const LineValues<Char>& values, Pair& pair) {
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

// Reads the line `text` (ASCII bytes or UTF-16) into `pair`; returns the
// empty text or the reason.
template <class Char>
std::string ReadLine(Text<Char> text, const NumberLocale& locale, Pair& pair) {
  if (text.size() > LongestCommandLine) return Fill(text::LineTooLong, {std::to_string(LongestCommandLine)});
  // The fields as ParseCommandLine reads them into fresh values.
  const CommandLineFields<Char> fields = SplitCommandLine(text);
  const std::basic_string<Char> mode = Capitals(fields.fields[0]);
  const bool locators = mode.size() == 1 && mode[0] == Char{'L'};
  const bool degrees = mode.size() == 1 && mode[0] == Char{'G'};
  LineValues<Char> values;
  if (locators) {
    values.ownLocator = fields.fields[1];
    values.foreignLocator = fields.fields[2];
  } else if (degrees) {
    const auto number = [&](std::size_t index) {
      return index < fields.count ? ParseDegrees(fields.fields[index], locale) : std::nullopt;
    };
    values.ownLatitude = number(1);
    values.foreignLatitude = number(2);
    values.ownLongitude = number(3);
    values.foreignLongitude = number(4);
  }
  std::string reason;
  if (locators) {
    reason = LocatorPair(values, pair);
  } else if (degrees) {
    reason = DegreePair(values, pair);
  } else if (mode.empty()) {
    reason = Fill(text::ModeMissing, {text::OnlyLOrG});
  } else {
    reason = Fill(text::WrongMode, {Utf8(mode), text::OnlyLOrG});
  }
  return reason;
}

// Reads `line` into `pair`, ASCII text (nearly every line) as the bytes it
// is, any other as UTF-16, as the window reads its command line. Both give
// the same fields, numbers and locators for ASCII text.
std::string ReadPair(std::string_view line, const NumberLocale& locale, Pair& pair) {
  if (line.empty()) return std::string(text::EmptyLine);
  if (std::all_of(line.begin(), line.end(), [](char c) { return static_cast<unsigned char>(c) < 0x80; })) {
    return ReadLine(line, locale, pair);
  }
  const std::u16string text = FromUtf8(line);
  return ReadLine(std::u16string_view(text), locale, pair);
}

}  // namespace

std::string ReadBatchPair(std::string_view line, const NumberLocale& locale, BatchPair& out) {
  Pair pair{};
  if (std::string reason = ReadPair(line, locale, pair); !reason.empty()) return reason;
  const auto [km, direction] = UncheckedDistanceAndDirection(pair.lat1, pair.lat2, pair.lon1, pair.lon2);
  out = {pair.ownLocator, pair.foreignLocator, pair.lat1, pair.lon1, pair.lat2, pair.lon2, {}};
  AppendResultLine(out.resultLine, km, direction, locale);
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
    AppendResultLine(out, km, direction, locale);
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
