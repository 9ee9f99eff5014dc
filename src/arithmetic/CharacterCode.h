#pragma once

#include <cstdint>
#include <string_view>

namespace pelvorn {

// Returns the code of a UTF-16 code unit in the single-byte code page
// Windows-1252: 0-255, and 63 ("?") for a character the code page cannot
// hold, as the system's best-fit-free conversion gives it.
std::int16_t CharacterCode(char16_t character) noexcept;

// Returns the code of the character at 1-based `position` of `text`.
// Throws RuntimeError (InvalidArgument) when the text is shorter.
std::int16_t CharacterCodeAt(std::u16string_view text, std::size_t position);

}  // namespace pelvorn
