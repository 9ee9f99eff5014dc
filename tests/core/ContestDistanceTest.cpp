// Contest kilometres (IARU Region 1), the long path and the TSV line. Each
// figure of the table was checked by hand and with Hamlib's qrb.
#include "arithmetic/ContestDistance.h"
#include "arithmetic/GreatCircle.h"
#include "arithmetic/LongPath.h"
#include "arithmetic/NormalisedDegrees.h"
#include "console/TsvLine.h"

#include <gtest/gtest.h>

#include <string>
#include <utility>

namespace pelvorn {
namespace {

// QSO points from JO65FR, each figure checked by hand and by Hamlib (random
// pairs: tests/core/HamlibReferenceTest.cpp):
// 111.2 km x central angle between the subsquare centres, truncated, + 1.
TEST(ContestDistance, TableFromJO65FR) {
  struct Row { const char* foreign; long km; const char* why; };
  const Row rows[] = {
      {"JO65FR", 1, "identical locators"},
      {"jo65fr", 1, "case does not matter"},
      {"JO65GR", 6, "one subsquare east: 5' x cos 55.729 deg = 5.218 km"},
      {"JO65", 44, "four characters: square centre JO65MM, 43.336 km"},
      // JO65FQ (5), JO62MM (359) and IO91WM (951): the EDI log's QSOs.
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.foreign);
    EXPECT_EQ(ContestKilometresBetween("JO65FR", row.foreign), row.km) << row.why;
    EXPECT_EQ(ContestKilometresBetween(row.foreign, "JO65FR"), row.km) << "symmetric";
  }
  // Any identical pair gives 1, also at the poles and the date line.
  for (const char* same : {"AA00AA", "RR99XX", "JJ00AA", "II99XX", "AR09XX"}) {
    EXPECT_EQ(ContestKilometresBetween(same, same), 1) << same;
  }
}

TEST(ContestDistance, WhatCountsAsALocator) {
  using enum ContestLocator::Kind;
  struct Row { const char* text; ContestLocator::Kind kind; };
  const Row rows[] = {
      {"JO62MM", Subsquare}, {"jo62mm", Subsquare}, {"JO62", SquareOnly}, {"jo62", SquareOnly},
      {"", Invalid},         {"JO6", Invalid},      {"JO62M", Invalid},   {"JO62MMA", Invalid},
      {"SO62MM", Invalid},   {"JO62MY", Invalid},   {"J062MM", Invalid},  {"JOA2", Invalid},
      {"JO62 M", Invalid},   {" JO62M", Invalid},
  };
  for (const Row& row : rows) EXPECT_EQ(ReadContestLocator(row.text).kind, row.kind) << '"' << row.text << '"';
  EXPECT_EQ(ContestKilometresBetween("JO65FR", "JO6"), std::nullopt);
  EXPECT_EQ(ContestKilometresBetween("", "JO65FR"), std::nullopt);
}

// The long path in the program's own model: the rest of the circumference,
// and the opposite direction, never 360 (both ways round: the TSV rows of
// BatchTest.cpp and of the ADIF log in tests/cli/console_tools_test.sh).
TEST(LongPath, ShortAndLongMakeTheCircumference) {
  EXPECT_EQ(LongPathOf(100, 180, Circumference).direction, 0);
  EXPECT_EQ(LongPathOf(1, 0, ContestCircumference).km, 40031);
  // Whole turns come off; a tiny negative angle is 0, not 360.
  const std::pair<double, double> angles[] = {{-90, 270}, {360, 0}, {725.5, 5.5}, {-1e-20, 0}, {-360, 0}};
  for (const auto& [angle, normalised] : angles) EXPECT_EQ(NormalisedDegrees(angle), normalised) << angle;
}

// The columns themselves: BatchLine.ResultLinesAndTsvColumns.
TEST(TsvLine, DigitsAndRounding) {
  struct Row { double value; int decimals; const char* text; };
  const Row rows[] = {
      {0.0002847, 3, "0.000"}, {-0.0000001, 3, "0.000"}, {4167.5597178, 3, "4167.560"},
      {0.0000026, 2, "0.00"},  {12345678.5, 1, "12345678.5"},
      // Exact binary ties go to the even digit, as to_chars rounds, also beyond 2^43.
      {0.0625, 3, "0.062"},    {-0.1875, 3, "-0.188"},    {0x1p43 + 0.25, 1, "8796093022208.2"},
  };
  for (const Row& row : rows) {
    std::string text;
    AppendFixed(text, row.value, row.decimals);
    EXPECT_EQ(text, row.text) << row.value;
  }
  // A direction that rounds to 360 is 0; tabs in an input cannot split a column.
  std::string line;
  AppendTsvLine(line, {"A", "B", 1, 359.999, 2, 359.996, 3});
  EXPECT_EQ(line, "A\tB\t1.000\t0.00\t2.000\t0.00\t3");
  line.clear();
  AppendTsvWithoutResult(line, "JO\t6", "K");
  EXPECT_EQ(line, "JO 6\tK\t\t\t\t\t");
}

}  // namespace
}  // namespace pelvorn
