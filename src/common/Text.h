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
inline char16_t ToCapital(char16_t c) noexcept {
  if (c >= u'a' && c <= u'z') return static_cast<char16_t>(c - 0x20);
  if (c < 0xB5) return c;
  if (c == 0xB5) return 0x039C;  // micro sign: capital mu
  if (c >= 0xE0 && c <= 0xFE && c != 0xF7) return static_cast<char16_t>(c - 0x20);
  if (c == 0xFF) return 0x0178;
  if (c >= 0x0100 && c <= 0x017F) {
    if (c == 0x0131) return u'I';   // dotless i
    if (c == 0x017F) return u'S';   // long s
    if (c == 0x0138 || c == 0x0149 || c == 0x0178) return c;  // no pair in this block
    // Pairs start on even code points below U+0138 and between U+014A and
    // U+0177, on odd ones from U+0139 to U+0148 and from U+0179 to U+017E.
    const bool evenPairs = c < 0x0138 || (c >= 0x014A && c <= 0x0177);
    const bool small = evenPairs ? (c % 2 == 1) : (c % 2 == 0);
    return small ? static_cast<char16_t>(c - 1) : c;
  }
  if (c >= 0x03B1 && c <= 0x03CB) return c == 0x03C2 ? char16_t{0x03A3} : static_cast<char16_t>(c - 0x20);
  if (c == 0x03AC) return 0x0386;  // Greek letters with tonos
  if (c >= 0x03AD && c <= 0x03AF) return static_cast<char16_t>(c - 0x25);
  if (c == 0x03CC) return 0x038C;
  if (c == 0x03CD || c == 0x03CE) return static_cast<char16_t>(c - 0x3F);
  if (c >= 0x0430 && c <= 0x044F) return static_cast<char16_t>(c - 0x20);
  if (c >= 0x0450 && c <= 0x045F) return static_cast<char16_t>(c - 0x50);
  return c;
}

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
