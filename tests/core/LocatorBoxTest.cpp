#include "window/LocatorBox.h"

#include <gtest/gtest.h>

#include <QString>

namespace pelvorn {
namespace {

using Verdict = LocatorBoxOutcome::Verdict;

TEST(NormaliseLocatorBox, Outcomes) {
  struct Row {
    const char* box;
    Verdict verdict;
    const char* text;  // not looked at for TooShort
    bool beep;
  };
  const Row rows[] = {
      {"JO62mm", Verdict::Accepted, "JO62MM", false},
      {"jo62mm", Verdict::Accepted, "JO62MM", false},
      {"AA00AA", Verdict::Accepted, "AA00AA", false},
      {"rr99xx", Verdict::Accepted, "RR99XX", false},
      {"jo62", Verdict::Accepted, "JO62MM", true},
      {"JO62  ", Verdict::Accepted, "JO62MM", true},
      {" JO62", Verdict::Accepted, "JO62MM", true},
      {"  JO62  ", Verdict::Accepted, "JO62MM", true},
      {"JO621", Verdict::Accepted, "JO62MM", true},
      {"SO62", Verdict::Malformed, "SO62MM", true},
      {"JO62M1", Verdict::Malformed, "JO62M1", true},
      {"JO62MY", Verdict::Malformed, "JO62MY", true},
      {"JO62M", Verdict::Malformed, "JO62M", true},
      {"JO6A", Verdict::Malformed, "JO6A", true},
      {"JO 62", Verdict::Malformed, "JO 6MM", true},
      {"SO62MM", Verdict::Malformed, "SO62MM", true},
      {"JO62MMX", Verdict::Malformed, "JO62MMX", true},
      {"JO62\t", Verdict::Malformed, "JO62\t", true},  // only blanks are trimmed
      {"", Verdict::TooShort, "", true},
      {"    ", Verdict::TooShort, "", true},
      {"KM3", Verdict::TooShort, "", true},
      {" KM3  ", Verdict::TooShort, "", true},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.box);
    const LocatorBoxOutcome outcome = NormaliseLocatorBox(QString::fromLatin1(row.box));
    EXPECT_EQ(outcome.verdict, row.verdict);
    if (row.verdict != Verdict::TooShort) {
      EXPECT_EQ(outcome.text, QString::fromLatin1(row.text));
    }
    EXPECT_EQ(outcome.beep, row.beep);
  }
}

}  // namespace
}  // namespace pelvorn
