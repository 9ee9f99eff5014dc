#pragma once

namespace pelvorn {

// What the number patterns and the reading of degrees need of the user's
// locale. Each front end fills it from its platform (QLocale on Linux,
// GetLocaleInfoEx on Windows). Digits are always the ASCII digits 0-9, so
// that programs reading the result line can parse it.
struct NumberLocale {
  char16_t decimalSeparator = u'.';
};

}  // namespace pelvorn
