#include "SubsquareCentres.h"

#include "LocatorDecoding.h"

#include <cstdint>

namespace pelvorn {
namespace {

constexpr int Fields = 18, Squares = 10, Subsquares = 24;

struct Tables {
  double latitude[Fields][Squares][Subsquares];
  double longitude[Fields][Squares][Subsquares];

  Tables() {
    for (int field = 0; field < Fields; ++field) {
      for (int square = 0; square < Squares; ++square) {
        for (int subsquare = 0; subsquare < Subsquares; ++subsquare) {
          const auto f = static_cast<std::int16_t>('A' + field);
          const auto q = static_cast<std::int16_t>('0' + square);
          const auto s = static_cast<std::int16_t>('A' + subsquare);
          latitude[field][square][subsquare] = LatitudeFromCodes(f, q, s);
          longitude[field][square][subsquare] = LongitudeFromCodes(f, q, s);
        }
      }
    }
  }
};

const Tables& Centres() {
  static const Tables tables;
  return tables;
}

}  // namespace

SubsquareCentre CentreOfWellFormed(std::u16string_view locator) {
  const Tables& tables = Centres();
  return {tables.latitude[locator[1] - u'A'][locator[3] - u'0'][locator[5] - u'A'],
          tables.longitude[locator[0] - u'A'][locator[2] - u'0'][locator[4] - u'A']};
}

}  // namespace pelvorn
