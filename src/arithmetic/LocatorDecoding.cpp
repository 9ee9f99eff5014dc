#include "LocatorDecoding.h"

#include "CharacterCode.h"
#include "CheckedArithmetic.h"

namespace pelvorn {

using checked::Add;
using checked::Multiply;
using checked::Step;
using checked::Subtract;

double LatitudeFromCodes(std::int16_t field, std::int16_t square, std::int16_t subsquare) {
  checked::StartFloatingPoint();
  const std::int16_t fieldDegrees = Subtract(Multiply(Subtract(field, 65), 10), 90);
  double latitude = Step(static_cast<double>(Subtract(square, 48)) + static_cast<double>(fieldDegrees));
  const double subsquareSize = Step(2.5 / 60);
  const double subsquares = Step(subsquareSize * static_cast<double>(Subtract(subsquare, 65)));
  latitude = Step(subsquares + latitude);
  const double halfSubsquare = Step(1.25 / 60);
  return Step(halfSubsquare + latitude);
}

double LongitudeFromCodes(std::int16_t field, std::int16_t square, std::int16_t subsquare) {
  checked::StartFloatingPoint();
  std::int16_t fieldDegrees = Add(Multiply(Subtract(field, 65), 20), 180);
  // One wrap of the field value alone, not a modulo: J (360) becomes 0.
  if (fieldDegrees >= 360) fieldDegrees = Subtract(fieldDegrees, 360);
  double longitude = Step(static_cast<double>(Multiply(Subtract(square, 48), 2)) + static_cast<double>(fieldDegrees));
  const double subsquareSize = Step(5.0 / 60);
  const double subsquares = Step(subsquareSize * static_cast<double>(Subtract(subsquare, 65)));
  longitude = Step(subsquares + longitude);
  const double halfSubsquare = Step(2.5 / 60);
  return Step(halfSubsquare + longitude);
}

// Codes are read position by position, so the earlier missing position is
// the one that raises the error.
double LocatorToLatitude(std::u16string_view locator) {
  const std::int16_t field = CharacterCodeAt(locator, 2);
  const std::int16_t square = CharacterCodeAt(locator, 4);
  const std::int16_t subsquare = CharacterCodeAt(locator, 6);
  return LatitudeFromCodes(field, square, subsquare);
}

double LocatorToLongitude(std::u16string_view locator) {
  const std::int16_t field = CharacterCodeAt(locator, 1);
  const std::int16_t square = CharacterCodeAt(locator, 3);
  const std::int16_t subsquare = CharacterCodeAt(locator, 5);
  return LongitudeFromCodes(field, square, subsquare);
}

bool IsWellFormedLocator(std::u16string_view text) noexcept {
  auto within = [](char16_t c, char16_t first, char16_t last) { return c >= first && c <= last; };
  return text.size() == 6 && within(text[0], u'A', u'R') && within(text[1], u'A', u'R') &&
         within(text[2], u'0', u'9') && within(text[3], u'0', u'9') &&
         within(text[4], u'A', u'X') && within(text[5], u'A', u'X');
}

}  // namespace pelvorn
