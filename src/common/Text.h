#pragma once

#include <initializer_list>
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

// What TrimBlanks and ToCapitals do, for UTF-16 text and for ASCII text
// read as the bytes it is (a batch line), without allocating for short text:
// `text` without the blanks at either end, and `text` upper-cased. Of bytes,
// only ASCII letters change.
template <class Char>
std::basic_string_view<Char> WithoutBlanks(std::basic_string_view<Char> text) {
  const std::size_t first = text.find_first_not_of(Char{' '});
  if (first == std::basic_string_view<Char>::npos) return {};
  return text.substr(first, text.find_last_not_of(Char{' '}) - first + 1);
}
template <class Char>
std::basic_string<Char> Capitals(std::basic_string_view<Char> text) {
  std::basic_string<Char> capitals(text);
  for (Char& c : capitals) {
    if constexpr (sizeof(Char) == 1) {
      if (static_cast<unsigned char>(c) < 0x80) c = static_cast<Char>(ToCapital(static_cast<unsigned char>(c)));
    } else {
      c = ToCapital(c);
    }
  }
  return capitals;
}

// Returns `text` without the characters of `blanks` at either end.
inline std::string_view TrimAscii(std::string_view text, std::string_view blanks = " \t\r") {
  const std::size_t first = text.find_first_not_of(blanks);
  if (first == std::string_view::npos) return {};
  const std::size_t last = text.find_last_not_of(blanks);
  return text.substr(first, last - first + 1);
}

// Returns `text` as UTF-8; an unpaired surrogate becomes U+FFFD.
std::string ToUtf8(std::u16string_view text);

// Returns `utf8` as UTF-16; each byte that is no part of a well-formed
// sequence becomes U+FFFD.
std::u16string FromUtf8(std::string_view utf8);

// Returns `pattern` with "%1" … "%9" replaced by the values in that order;
// a mark without a value stays as it is, and what a value brings in is not
// read again ("%1" typed by the user stays "%1").
std::string Fill(std::string_view pattern, std::initializer_list<std::string_view> values);

}  // namespace pelvorn
