#include "Text.h"

#include <algorithm>

namespace pelvorn {
namespace {

constexpr char16_t Replacement = 0xFFFD;

bool IsHighSurrogate(char32_t c) { return c >= 0xD800 && c <= 0xDBFF; }
bool IsLowSurrogate(char32_t c) { return c >= 0xDC00 && c <= 0xDFFF; }

void AppendUtf8(std::string& out, char32_t c) {
  if (c < 0x80) {
    out += static_cast<char>(c);
  } else if (c < 0x800) {
    out += static_cast<char>(0xC0 | (c >> 6));
    out += static_cast<char>(0x80 | (c & 0x3F));
  } else if (c < 0x10000) {
    out += static_cast<char>(0xE0 | (c >> 12));
    out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (c & 0x3F));
  } else {
    out += static_cast<char>(0xF0 | (c >> 18));
    out += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
    out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (c & 0x3F));
  }
}

void AppendUtf16(std::u16string& out, char32_t c) {
  if (c < 0x10000) {
    out += static_cast<char16_t>(c);
  } else {
    c -= 0x10000;
    out += static_cast<char16_t>(0xD800 + (c >> 10));
    out += static_cast<char16_t>(0xDC00 + (c & 0x3FF));
  }
}

// Returns the length of the well-formed UTF-8 sequence at the start of
// `bytes` and its code point, or 0 when there is none.
std::size_t DecodeUtf8(std::string_view bytes, char32_t& c) {
  const auto byte = [&](std::size_t i) { return static_cast<unsigned char>(bytes[i]); };
  const unsigned lead = byte(0);
  std::size_t length = 0;
  char32_t smallest = 0;
  if (lead < 0x80) {
    c = lead;
    return 1;
  }
  if (lead >= 0xC2 && lead <= 0xDF) {
    length = 2, smallest = 0x80, c = lead & 0x1F;
  } else if (lead >= 0xE0 && lead <= 0xEF) {
    length = 3, smallest = 0x800, c = lead & 0x0F;
  } else if (lead >= 0xF0 && lead <= 0xF4) {
    length = 4, smallest = 0x10000, c = lead & 0x07;
  } else {
    return 0;
  }
  if (bytes.size() < length) return 0;
  for (std::size_t i = 1; i < length; ++i) {
    if ((byte(i) & 0xC0) != 0x80) return 0;
    c = (c << 6) | (byte(i) & 0x3F);
  }
  if (c < smallest || c > 0x10FFFF || IsHighSurrogate(c) || IsLowSurrogate(c)) return 0;
  return length;
}

// The length of the terminal escape sequence at the start of `bytes` (which
// begins with ESC): CSI ends with a byte 0x40..0x7E, OSC, DCS and the other
// strings with BEL or ESC \, any other with the byte after ESC.
std::size_t EscapeLength(std::string_view bytes) {
  if (bytes.size() < 2) return bytes.size();
  const char kind = bytes[1];
  if (kind == '[') {
    std::size_t i = 2;
    while (i < bytes.size() && !(bytes[i] >= 0x40 && bytes[i] <= 0x7E)) ++i;
    return i < bytes.size() ? i + 1 : i;
  }
  if (kind == ']' || kind == 'P' || kind == 'X' || kind == '^' || kind == '_') {
    for (std::size_t i = 2; i < bytes.size(); ++i) {
      if (bytes[i] == '\a') return i + 1;
      if (bytes[i] == '\x1B') return i + 1 < bytes.size() && bytes[i + 1] == '\\' ? i + 2 : i;
    }
    return bytes.size();
  }
  return 2;
}

}  // namespace

std::string AsciiCapitals(std::string_view text) {
  std::string capitals(text);
  for (char& c : capitals) c = AsciiCapital(c);
  return capitals;
}

bool SameAsciiLetters(std::string_view a, std::string_view b) noexcept {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i) {
    if (AsciiCapital(a[i]) != AsciiCapital(b[i])) return false;
  }
  return true;
}

std::string PeerText(std::string_view bytes, std::size_t limit) {
  if (bytes.size() <= limit &&
      std::all_of(bytes.begin(), bytes.end(), [](char c) { return c >= 0x20 && c < 0x7F; })) {
    return std::string(bytes);
  }
  std::string text;
  std::size_t characters = 0;
  for (std::size_t i = 0; i < bytes.size();) {
    if (bytes[i] == '\x1B') {
      i += EscapeLength(bytes.substr(i));
      continue;
    }
    char32_t c = 0;
    std::size_t length = DecodeUtf8(bytes.substr(i), c);
    if (length == 0) {
      c = static_cast<unsigned char>(bytes[i]);
      length = 1;
    }
    i += length;
    if (c == '\t' || c == '\r' || c == '\n') c = ' ';
    if (c < 0x20 || (c >= 0x7F && c < 0xA0)) continue;
    if (characters == limit) {
      text += "…";
      break;
    }
    AppendUtf8(text, c);
    ++characters;
  }
  return text;
}

std::u16string TrimBlanks(std::u16string_view text) {
  const std::size_t first = text.find_first_not_of(u' ');
  if (first == std::u16string_view::npos) return {};
  const std::size_t last = text.find_last_not_of(u' ');
  return std::u16string(text.substr(first, last - first + 1));
}

char16_t ToCapital(char16_t c) noexcept {
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

std::u16string ToCapitals(std::u16string_view text) {
  std::u16string capitals(text);
  for (char16_t& c : capitals) c = ToCapital(c);
  return capitals;
}

std::string ToUtf8(std::u16string_view text) {
  std::string utf8;
  utf8.reserve(text.size());
  for (std::size_t i = 0; i < text.size(); ++i) {
    char32_t c = text[i];
    if (IsHighSurrogate(c) && i + 1 < text.size() && IsLowSurrogate(text[i + 1])) {
      c = 0x10000 + ((c - 0xD800) << 10) + (text[++i] - 0xDC00);
    } else if (IsHighSurrogate(c) || IsLowSurrogate(c)) {
      c = Replacement;
    }
    AppendUtf8(utf8, c);
  }
  return utf8;
}

std::u16string FromUtf8(std::string_view utf8) {
  std::u16string text;
  text.reserve(utf8.size());
  while (!utf8.empty()) {
    char32_t c = 0;
    const std::size_t length = DecodeUtf8(utf8, c);
    AppendUtf16(text, length == 0 ? char32_t{Replacement} : c);
    utf8.remove_prefix(length == 0 ? 1 : length);
  }
  return text;
}

std::string Fill(std::string_view pattern, std::initializer_list<std::string_view> values) {
  std::string text;
  text.reserve(pattern.size() + 32);
  for (std::size_t i = 0; i < pattern.size(); ++i) {
    const bool mark = pattern[i] == '%' && i + 1 < pattern.size() && pattern[i + 1] >= '1' && pattern[i + 1] <= '9';
    const std::size_t index = mark ? static_cast<std::size_t>(pattern[i + 1] - '1') : 0;
    if (mark && index < values.size()) {
      text += values.begin()[index];
      ++i;
    } else {
      text += pattern[i];
    }
  }
  return text;
}

}  // namespace pelvorn
