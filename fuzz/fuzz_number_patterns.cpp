// Any double in each locale: the patterns keep their shape, and a value
// that rounds to zero never shows a sign.
#include "FuzzInput.h"

#include "arithmetic/NumberPatterns.h"

#include <cmath>
#include <cstdlib>

namespace {

void CheckShape(const std::u16string& text, double value, int maxDecimals, const pelvorn::NumberLocale& locale) {
  if (!std::isfinite(value)) return;
  const std::size_t point = text.find(locale.decimalSeparator);
  if (point == 0 || point == std::u16string::npos) std::abort();
  const std::size_t decimals = text.size() - point - 1;
  if (decimals < 1 || decimals > static_cast<std::size_t>(maxDecimals)) std::abort();
  // ASCII digits only, a sign only in front.
  for (std::size_t i = 0; i < text.size(); ++i) {
    const char16_t c = text[i];
    if (!(c >= u'0' && c <= u'9') && i != point && !(i == 0 && c == u'-')) std::abort();
  }
  if (text.starts_with(u'-') && std::fabs(value) < 0.5 * std::pow(10, -maxDecimals)) std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const double value = FuzzDouble(data, size);
  for (const pelvorn::NumberLocale& locale : FuzzLocales()) {
    CheckShape(pelvorn::FormatDistance(value, locale), value, 3, locale);
    CheckShape(pelvorn::FormatDirection(value, locale), value, 2, locale);
  }
  return 0;
}
