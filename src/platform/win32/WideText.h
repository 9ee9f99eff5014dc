#pragma once

#include "common/Text.h"

#include <string>
#include <string_view>

namespace pelvorn::win32 {

// The program's UTF-16 text as the W functions of Windows take it (wchar_t
// is 16 bits wide there), and back.
inline std::wstring Wide(std::u16string_view text) { return {text.begin(), text.end()}; }
inline std::wstring Wide(std::string_view utf8) { return Wide(FromUtf8(utf8)); }  // the catalogue's UTF-8
inline std::u16string FromWide(std::wstring_view text) { return {text.begin(), text.end()}; }

}  // namespace pelvorn::win32
