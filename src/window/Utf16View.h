#pragma once

#include <QString>
#include <QStringView>

#include <string_view>

namespace pelvorn {

// The UTF-16 text of `text` as the locator arithmetic reads it.
inline std::u16string_view AsUtf16(const QString& text) {
  const QStringView view(text);
  return {view.utf16(), static_cast<std::size_t>(view.size())};
}

}  // namespace pelvorn
