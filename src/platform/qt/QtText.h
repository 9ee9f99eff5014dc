#pragma once

#include "common/NumberLocale.h"

#include <QLocale>
#include <QString>

#include <string>
#include <string_view>

// Between the core's UTF-16 text and Qt's.

namespace pelvorn {

inline QString ToQString(std::u16string_view text) {
  return QString::fromUtf16(text.data(), static_cast<qsizetype>(text.size()));
}

// The same from UTF-8, as the text catalogue holds it.
inline QString ToQString(std::string_view utf8) {
  return QString::fromUtf8(utf8.data(), static_cast<qsizetype>(utf8.size()));
}

inline std::u16string ToU16(const QString& text) { return text.toStdU16String(); }

// The number conventions of `locale` as the core needs them.
inline NumberLocale NumberLocaleOf(const QLocale& locale) {
  const QString separator = locale.decimalPoint();
  return NumberLocale{separator.size() == 1 ? separator.front().unicode() : u'.'};
}

}  // namespace pelvorn
