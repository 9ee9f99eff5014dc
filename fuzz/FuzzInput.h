#pragma once

#include <QLocale>
#include <QString>

#include <array>
#include <cstddef>
#include <cstdint>
#include <cstring>

// Helpers shared by the fuzz targets.

// The locales a user of the program is likely to have: decimal comma,
// decimal point, and the C locale.
inline const std::array<QLocale, 3>& FuzzLocales() {
  static const std::array<QLocale, 3> locales = {QLocale(QLocale::German, QLocale::Germany),
                                                 QLocale(QLocale::English, QLocale::UnitedStates),
                                                 QLocale::c()};
  return locales;
}

// Text from arbitrary bytes: UTF-8 when the first byte is even, else
// Latin-1, so both invalid sequences and every code unit get through.
inline QString FuzzText(const std::uint8_t* data, std::size_t size) {
  if (size == 0) return {};
  const auto* chars = reinterpret_cast<const char*>(data + 1);
  const auto length = static_cast<qsizetype>(size - 1);
  return (data[0] % 2 == 0) ? QString::fromUtf8(chars, length) : QString::fromLatin1(chars, length);
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
