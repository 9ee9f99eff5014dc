#include "NumberPatterns.h"

namespace pelvorn {
namespace {

// "####0.0" followed by `optionalDecimals` "#" placeholders.
QString FormatWithOptionalDecimals(double value, int optionalDecimals, const QLocale& locale) {
  QLocale plain = locale;
  plain.setNumberOptions(QLocale::OmitGroupSeparator);
  const int decimals = 1 + optionalDecimals;
  QString text = plain.toString(value, 'f', decimals);

  const QString zero = plain.zeroDigit();
  int dropped = 0;
  while (dropped < optionalDecimals && text.endsWith(zero)) {
    text.chop(zero.size());
    ++dropped;
  }

  // A negative value that rounds to zero: drop the sign rather than show -0,0.
  const QString minus = plain.negativeSign();
  if (text.startsWith(minus)) {
    const QString digits = text.mid(minus.size()).remove(plain.decimalPoint()).remove(zero);
    if (digits.isEmpty()) text.remove(0, minus.size());
  }
  return text;
}

}  // namespace

QString FormatDistance(double km, const QLocale& locale) {
  return FormatWithOptionalDecimals(km, 2, locale);
}

QString FormatDirection(double degrees, const QLocale& locale) {
  return FormatWithOptionalDecimals(degrees, 1, locale);
}

QString ResultLine(const QString& distanceCaption, const QString& directionCaption) {
  return distanceCaption + QStringLiteral(" km/") + directionCaption + QStringLiteral(" \u00b0");
}

}  // namespace pelvorn
