#include "locator/DegreesToLocator.h"
#include "locator/LocatorDecoding.h"

#include <gtest/gtest.h>

#include <cmath>
#include <iterator>
#include <limits>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace pelvorn {
namespace {

class RecordedWarnings : public CoordinateWarnings {
public:
  void Warn(std::string_view title, std::string_view prompt) override {
    shown.emplace_back(title, prompt);
  }
  std::vector<std::pair<std::string, std::string>> shown;
};

const std::pair<std::string, std::string> LongitudeWarning = {
    " Falsche Längegradeingabe !", " ( max ±179,99999°\" ) "};
const std::pair<std::string, std::string> LatitudeWarning = {
    " Falsche Breitengradeingabe !", " ( max ±89,99999°\" ) "};

TEST(DegreesToLocator, PositionsInRange) {
  const double below180 = std::nextafter(180.0, 0.0);
  const double below90 = std::nextafter(90.0, 0.0);
  struct Row {
    double longitude;
    double latitude;
    const char* locator;
  };
  const Row rows[] = {
      {13.0, 52.5, "JO62MM"},       {27.0, 38.5, "KM38MM"},
      {-0.5, -0.5, "II99SM"},       {-74.0, 40.75, "FN30AS"},
      {12.25, 52.25, "JO62DG"},     {12.2499, 52.2499, "JO62CF"},  // boundaries belong to the east/north
      {179.999, 89.999, "RR99XX"},  {-179.999, -89.999, "AA00AA"},
      {-0.01, -0.01, "II99XX"},     {-0.004, 51.5, "IO91XM"},
      {0.0, 1.13, "JJ01AD"},        {-163.67, 0.0, "AJ80DA"},
      {12.0834, 0.29, "JJ60BG"},    {-0.0, -0.0, "JJ00AA"},
      {below180, below90, "RR99XX"}, {-below180, -below90, "AA00AA"},
      {0.0, -1e-300, "JI09AX"},     {-1e-300, 0.0, "IJ90XA"},  // a fraction that rounds to 1
      {-20.0, -10.0, "II00AA"},     {-2.0, -1.0, "II99AA"},
      // One unit in the last place below a boundary, where the product rounds onto it.
      {0.0, -1.2916666666666667, "JI08AQ"}, {0.0, -1.2916666666666665, "JI08AR"},
  };
  for (const Row& row : rows) {
    RecordedWarnings warnings;
    EXPECT_EQ(DegreesToLocator(row.longitude, row.latitude, warnings), row.locator)
        << row.longitude << ", " << row.latitude;
    EXPECT_TRUE(warnings.shown.empty());
  }
}

TEST(DegreesToLocator, OneWarningForAPositionOutOfRange) {
  const double nan = std::numeric_limits<double>::quiet_NaN();
  const double inf = std::numeric_limits<double>::infinity();
  struct Row {
    double longitude;
    double latitude;
    bool longitudeWarning;
  };
  const Row rows[] = {
      {180.0, 0.0, true}, {-180.0, 45.0, true}, {0.0, 90.0, false}, {0.0, -90.0, false},
      {200.0, 100.0, true}, {nan, 0.0, true}, {nan, nan, true}, {inf, 0.0, true},
      {-inf, 0.0, true}, {0.0, nan, false}, {179.0, -inf, false},
  };
  for (const Row& row : rows) {
    RecordedWarnings warnings;
    EXPECT_EQ(DegreesToLocator(row.longitude, row.latitude, warnings), "")
        << row.longitude << ", " << row.latitude;
    ASSERT_EQ(warnings.shown.size(), 1u) << row.longitude << ", " << row.latitude;
    EXPECT_EQ(warnings.shown[0], row.longitudeWarning ? LongitudeWarning : LatitudeWarning)
        << row.longitude << ", " << row.latitude;
  }
}

// Every valid locator (or, with a stride, a dense share of them) comes back
// from the centre of its subsquare.
TEST(DegreesToLocator, CentresOfAllSubsquaresGiveTheirLocator) {
#ifdef PELVORN_SAMPLE_SUBSQUARES
  constexpr int stride = 5;  // coprime to 24: every letter still occurs
#else
  constexpr int stride = 1;
#endif
  RecordedWarnings warnings;
  long checked = 0;
  long wrong = 0;
  std::string firstWrong;
  for (int subsquare = 0; subsquare < 24 * 24; subsquare += stride)
    for (char lonField = 'A'; lonField <= 'R'; ++lonField)
      for (char latField = 'A'; latField <= 'R'; ++latField)
        for (char lonSquare = '0'; lonSquare <= '9'; ++lonSquare)
          for (char latSquare = '0'; latSquare <= '9'; ++latSquare) {
            const char locator[] = {lonField, latField, lonSquare, latSquare,
                                    static_cast<char>('A' + subsquare / 24),
                                    static_cast<char>('A' + subsquare % 24)};
            const std::u16string text(std::begin(locator), std::end(locator));
            double longitude = LocatorToLongitude(text);
            if (longitude >= 180) longitude -= 360;
            const std::string back = DegreesToLocator(longitude, LocatorToLatitude(text), warnings);
            ++checked;
            if (back != std::string_view(locator, 6) && wrong++ == 0) {
              firstWrong = std::string(locator, 6) + " -> " + back;
            }
          }
  EXPECT_EQ(wrong, 0) << "first: " << firstWrong;
  EXPECT_TRUE(warnings.shown.empty());
  EXPECT_GE(checked, 18L * 18 * 10 * 10 * 24 * 24 / stride);
}

}  // namespace
}  // namespace pelvorn
