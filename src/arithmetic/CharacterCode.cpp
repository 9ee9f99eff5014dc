#include "CharacterCode.h"

#include "RuntimeError.h"

#include <array>

namespace pelvorn {
namespace {

constexpr std::int16_t Unrepresentable = 63;  // "?"

// Unicode characters of the code points 0x80-0x9F of Windows-1252. The five
// places the code page leaves undefined map to the C1 control of the same
// value, as the system's own conversion tables do.
constexpr std::array<char16_t, 32> HighControlsRow = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
    0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F,
    0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
    0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178,
};

}  // namespace

std::int16_t CharacterCode(char16_t character) noexcept {
  if (character < 0x80 || (character >= 0xA0 && character <= 0xFF)) {
    return static_cast<std::int16_t>(character);
  }
  for (std::size_t i = 0; i < HighControlsRow.size(); ++i) {
    if (HighControlsRow[i] == character) return static_cast<std::int16_t>(0x80 + i);
  }
  return Unrepresentable;
}

std::int16_t CharacterCodeAt(std::u16string_view text, std::size_t position) {
  if (position == 0 || position > text.size()) {
    throw RuntimeError(RuntimeErrorKind::InvalidArgument);
  }
  return CharacterCode(text[position - 1]);
}

}  // namespace pelvorn
