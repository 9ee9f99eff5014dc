#pragma once

#include <string>
#include <string_view>

// Text of the program is UTF-16, as the window's controls hold it.

namespace pelvorn {

// Returns `text` without leading and trailing blanks. Only the blank
// character counts; tabs and other white space stay.
std::u16string TrimBlanks(std::u16string_view text);

// Returns the capital of `character` by the simple (one to one) case
// mapping of the Latin, Greek and Cyrillic letters, or the character itself.
char16_t ToCapital(char16_t character) noexcept;

// Returns `text` upper-cased character by character; its length never
// changes ("ß" stays "ß").
std::u16string ToCapitals(std::u16string_view text);

// Returns `text` as UTF-8; an unpaired surrogate becomes U+FFFD.
std::string ToUtf8(std::u16string_view text);

// Returns `utf8` as UTF-16; each byte that is no part of a well-formed
// sequence becomes U+FFFD.
std::u16string FromUtf8(std::string_view utf8);

}  // namespace pelvorn
