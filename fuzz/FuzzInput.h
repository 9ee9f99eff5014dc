#pragma once

#include "common/NumberLocale.h"
#include "common/Text.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string>

// Helpers shared by the fuzz targets.

// The number conventions a user of the program is likely to have: decimal
// comma and decimal point.
inline const std::array<pelvorn::NumberLocale, 2>& FuzzLocales() {
  static const std::array<pelvorn::NumberLocale, 2> locales = {pelvorn::NumberLocale{u','},
                                                               pelvorn::NumberLocale{u'.'}};
  return locales;
}

// Text from arbitrary bytes: UTF-8 when the first byte is even, else raw
// UTF-16 code units, so both invalid sequences and every code unit get through.
inline std::u16string FuzzText(const std::uint8_t* data, std::size_t size) {
  if (size == 0) return {};
  const auto* bytes = reinterpret_cast<const char*>(data + 1);
  if (data[0] % 2 == 0) return pelvorn::FromUtf8(std::string_view(bytes, size - 1));
  std::u16string text((size - 1) / 2, u'\0');
  std::memcpy(text.data(), bytes, text.size() * 2);
  return text;
}

// The double made of the next eight bytes, or 0 when fewer are left.
inline double FuzzDouble(const std::uint8_t*& data, std::size_t& size) {
  double value = 0;
  if (size >= sizeof value) {
    std::memcpy(&value, data, sizeof value);
    data += sizeof value;
    size -= sizeof value;
  }
  return value;
}
