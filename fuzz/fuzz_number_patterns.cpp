// Any double in each locale: the patterns keep their shape, and a value
// that rounds to zero never shows a sign.
#include "FuzzInput.h"

#include "locator/NumberPatterns.h"

#include <cmath>
#include <cstdlib>

namespace {

void CheckShape(const QString& text, double value, int maxDecimals, const QLocale& locale) {
  if (!std::isfinite(value) || std::fabs(value) > 1e15) return;
  const qsizetype point = text.indexOf(locale.decimalPoint());
  if (point <= 0) std::abort();
  const qsizetype decimals = text.size() - point - locale.decimalPoint().size();
  if (decimals < 1 || decimals > maxDecimals) std::abort();
  if (text.startsWith(locale.negativeSign()) && std::fabs(value) < 0.5 * std::pow(10, -maxDecimals)) {
    std::abort();
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const double value = FuzzDouble(data, size);
  for (const QLocale& locale : FuzzLocales()) {
    CheckShape(pelvorn::FormatDistance(value, locale), value, 3, locale);
    CheckShape(pelvorn::FormatDirection(value, locale), value, 2, locale);
  }
  return 0;
}
