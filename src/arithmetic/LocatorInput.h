#pragma once

#include <string>
#include <string_view>

// How a typed locator is read: the text of a locator box, or a locator
// field of a command line or a batch line.

namespace pelvorn {

// A locator box holds at most this many characters; longer input is cut.
inline constexpr int LocatorBoxMaxLength = 6;

enum class LocatorBoxVerdict {
  Accepted,   // `text` is a well-formed locator; calculate with it
  TooShort,   // fewer than 4 characters: the box keeps its text
  Malformed,  // not a locator even after completion: `text` goes back into the box
};

template <class Char>
struct BasicLocatorBoxOutcome {
  using Verdict = LocatorBoxVerdict;
  Verdict verdict;
  std::basic_string<Char> text;  // the normalised text (unused for TooShort)
  bool beep;                     // the box earns one beep
};
using LocatorBoxOutcome = BasicLocatorBoxOutcome<char16_t>;

// Trims the blanks around `boxText` and upper-cases it. Six characters
// starting with a field letter A-R pass without a beep; anything else beeps,
// and four or more characters ending in a digit are completed to the centre
// of their square ("JO62" and "JO621" become "JO62MM"). The result must be a
// well-formed locator (see IsWellFormedLocator) to be accepted.
LocatorBoxOutcome NormaliseLocatorBox(std::u16string_view boxText);

// The same for ASCII text read as bytes (a batch line); no allocation for
// box texts of up to six characters.
BasicLocatorBoxOutcome<char> NormaliseLocatorBox(std::string_view boxText);

}  // namespace pelvorn
