#include "locator/CharacterCode.h"
#include "locator/LocatorDecoding.h"
#include "TestHelpers.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <utility>

namespace pelvorn {
namespace {

using test_support::ExpectRelative;
using test_support::KindThrownBy;

TEST(LocatorDecoding, CentresOfSubsquares) {
  struct Row {
    std::u16string locator;
    double latitude;
    double longitude;
  };
  const Row rows[] = {
      {u"JO62MM", 52.5 + 1.0 / 48, 13 + 1.0 / 24},
      {u"KM38MM", 38.5 + 1.0 / 48, 27 + 1.0 / 24},
      {u"AA00AA", -90 + 1.0 / 48, 180 + 1.0 / 24},
      {u"RR99XX", 90 - 1.0 / 48, 180 - 1.0 / 24},
      {u"JJ00AA", 1.0 / 48, 1.0 / 24},
      {u"II99XX", -1.0 / 48, 360 - 1.0 / 24},
      {u"IO91WM", 51.5 + 1.0 / 48, 359.875},
      {u"JO01AA", 51 + 1.0 / 48, 1.0 / 24},
      {u"FN20XR", 40.7291666666666667, 286 - 1.0 / 24},
      {u"JO62MMXX", 52.5 + 1.0 / 48, 13 + 1.0 / 24},   // only positions 1-6 count
      {u"jo62mm", 373.8541666666666667, 655.7083333333333333},  // small letters are not folded
      {u"ZZ99MM", 169.5208333333333333, 339 + 1.0 / 24},        // Z wraps once, to 320
      {u"J062MM", -257.4791666666666667, 13 + 1.0 / 24},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(std::string(row.locator.begin(), row.locator.end()));
    ExpectRelative(row.latitude, LocatorToLatitude(row.locator));
    ExpectRelative(row.longitude, LocatorToLongitude(row.locator));
  }
  // Step sizes are divisions at the point of use: exact doubles follow.
  EXPECT_EQ(LocatorToLatitude(u"JJ00AA"), 1.25 / 60);
  EXPECT_EQ(LocatorToLongitude(u"JJ00AA"), 2.5 / 60);
  EXPECT_EQ(LocatorToLatitude(u"AA00AA"), 1.25 / 60 + -90.0);
  EXPECT_EQ(LocatorToLongitude(u"AA00AA"), 2.5 / 60 + 180.0);
  EXPECT_EQ(LocatorToLongitude(u"IO91WM"), 359.875);
}

TEST(LocatorDecoding, MissingPositionsAreInvalidArguments) {
  EXPECT_EQ(KindThrownBy([] { LocatorToLatitude(u"JO62M"); }), RuntimeErrorKind::InvalidArgument);
  ExpectRelative(13 + 1.0 / 24, LocatorToLongitude(u"JO62M"));
  for (const std::u16string text : {u"JO6", u"J", u""}) {
    EXPECT_EQ(KindThrownBy([&] { LocatorToLatitude(text); }), RuntimeErrorKind::InvalidArgument);
    EXPECT_EQ(KindThrownBy([&] { LocatorToLongitude(text); }), RuntimeErrorKind::InvalidArgument);
  }
  EXPECT_EQ(KindThrownBy([] { CharacterCodeAt(u"A", 0); }), RuntimeErrorKind::InvalidArgument);
}

// The codes each position accepts without a 16-bit overflow, with the other
// two positions at their smallest valid values.
TEST(LocatorDecoding, CodesAtTheOverflowBoundaries) {
  struct Row {
    int position;
    int lowest;
    int highest;
  };
  const Row rows[] = {
      {1, -1573, 1694}, {2, -3202, 3341}, {3, -16336, 16431},
      {4, -32720, 32767}, {5, -32703, 32767}, {6, -32703, 32767},
  };
  auto decode = [](int position, int code) {
    const auto c = static_cast<std::int16_t>(code);
    switch (position) {
      case 1: return LongitudeFromCodes(c, '0', 'A');
      case 2: return LatitudeFromCodes(c, '0', 'A');
      case 3: return LongitudeFromCodes('A', c, 'A');
      case 4: return LatitudeFromCodes('A', c, 'A');
      case 5: return LongitudeFromCodes('A', '0', c);
      default: return LatitudeFromCodes('A', '0', c);
    }
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.position);
    EXPECT_NO_THROW(decode(row.position, row.lowest));
    EXPECT_NO_THROW(decode(row.position, row.highest));
    EXPECT_EQ(KindThrownBy([&] { decode(row.position, row.lowest - 1); }), RuntimeErrorKind::Overflow);
    if (row.highest < INT16_MAX) {
      EXPECT_EQ(KindThrownBy([&] { decode(row.position, row.highest + 1); }), RuntimeErrorKind::Overflow);
    }
  }
  // The field value wraps once, not as a modulo: 720 stays at 360.
  EXPECT_EQ(LongitudeFromCodes('\\', '0', 'A'), 2.5 / 60 + 360.0);
}

TEST(CharacterCode, Windows1252) {
  const std::pair<char16_t, int> rows[] = {
      {u'A', 65},     {u'z', 122},    {u'0', 48},     {u'\u00e9', 233}, {u'\u00ff', 255},
      {u'\u20ac', 128}, {u'\u0178', 159}, {u'\u0081', 129}, {u'\u0080', 63},  {u'\u009f', 63},
      {u'\u0100', 63}, {u'\u4e2d', 63}, {u'\xd800', 63},
  };
  for (const auto& [character, code] : rows) {
    EXPECT_EQ(CharacterCode(character), code) << "U+" << std::hex << int{character};
  }
}

}  // namespace
}  // namespace pelvorn
