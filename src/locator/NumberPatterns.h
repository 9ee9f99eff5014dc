#pragma once

#include <QLocale>
#include <QString>

// The number patterns of the result display: "####0.0##" for the distance and
// "####0.0#" for the direction. The value is rounded to 3 or 2 decimals; the
// integer part shows all its digits without grouping; the first decimal
// always shows, further ones up to the last non-zero digit; the decimal
// separator is the locale's; a value that rounds to zero never shows a sign.

namespace pelvorn {

// Returns `km` formatted as "####0.0##" in `locale`.
QString FormatDistance(double km, const QLocale& locale = QLocale());

// Returns `degrees` formatted as "####0.0#" in `locale`.
QString FormatDirection(double degrees, const QLocale& locale = QLocale());

// Returns the one-line result: distance caption, " km/", direction caption, " °".
QString ResultLine(const QString& distanceCaption, const QString& directionCaption);

}  // namespace pelvorn
