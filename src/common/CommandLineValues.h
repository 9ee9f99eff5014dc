#pragma once

#include "common/Text.h"

#include <optional>
#include <string>
#include <string_view>

namespace pelvorn {

// The outputs of ParseCommandLine. A field that is missing or cannot be
// read leaves its output as it was, so a number that was never read stays
// empty (std::nullopt) when the caller starts from a fresh value.
struct CommandLineValues {
  std::u16string ownLocator;
  std::u16string foreignLocator;
  std::optional<double> ownLatitude;       // first number
  std::optional<double> foreignLatitude;   // second number
  std::optional<double> ownLongitude;      // third number
  std::optional<double> foreignLongitude;  // fourth number
  std::u16string sixthField;               // field 5, untrimmed
};

// The command line as start-up reads it, once: the mode and the values.
struct ParsedCommandLine {
  std::u16string mode;  // field 0 upper-cased; empty for an empty command line
  CommandLineValues values;
};

// The visibility switch that makes a run hidden.
inline constexpr std::u16string_view HiddenRunSwitch = u"V-";

// Returns whether the command line asks for a hidden run: its sixth field,
// without the blanks around it, is "V-".
inline bool IsHiddenRun(const ParsedCommandLine& command) {
  return TrimBlanks(command.values.sixthField) == HiddenRunSwitch;
}

}  // namespace pelvorn
