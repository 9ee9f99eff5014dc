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

// Returns the capital of an ASCII letter, any other byte as it is.
constexpr char AsciiCapital(char c) noexcept { return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c; }

// Returns `text` with its ASCII letters in capitals.
std::string AsciiCapitals(std::string_view text);

// Whether `a` and `b` are equal but for the case of ASCII letters.
bool SameAsciiLetters(std::string_view a, std::string_view b) noexcept;

// Returns bytes a peer sent (a log's field, a datagram, a rotator's answer)
// as text fit for a message or a line of output: valid UTF-8, each byte that
// is no part of a well-formed UTF-8 sequence read as ISO-8859-1; tab, CR and
// LF as blanks; other control characters and terminal escape sequences
// removed. At most `limit` characters, and "…" after a cut.
std::string PeerText(std::string_view bytes, std::size_t limit = std::string_view::npos);

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
