#include "CommandLine.h"

#include <QStringList>

#include <cmath>

namespace pelvorn {
namespace {

std::optional<double> ReadFinite(const QString& text, QLocale locale) {
  locale.setNumberOptions(QLocale::RejectGroupSeparator);
  bool ok = false;
  const double value = locale.toDouble(text, &ok);
  if (!ok || !std::isfinite(value)) return std::nullopt;
  return value;
}

// Field `index` converted to degrees, or nothing when missing or unreadable.
std::optional<double> DegreesField(const QStringList& fields, qsizetype index, const QLocale& locale) {
  if (index >= fields.size()) return std::nullopt;
  return ParseDegrees(fields[index], locale);
}

// Assigns field `index` to `target` when the field exists.
void AssignField(const QStringList& fields, qsizetype index, QString& target) {
  if (index < fields.size()) target = fields[index];
}

void AssignNumber(const std::optional<double>& number, std::optional<double>& target) {
  if (number) target = number;
}

}  // namespace

std::optional<double> ParseDegrees(const QString& text, const QLocale& locale) {
  // Scripts write decimal points whatever the user's locale; the locale's
  // own form is tried first, then the point form of the C locale.
  if (auto value = ReadFinite(text, locale)) return value;
  return ReadFinite(text, QLocale::c());
}

QString ParseCommandLine(const QString& commandLine, CommandLineValues& values, const QLocale& locale) {
  if (commandLine.isEmpty() || commandLine.size() > LongestCommandLine) return {};

  const QStringList fields = commandLine.split(QLatin1Char(';'));
  const QString mode = fields[0].toUpper();

  if (mode == QLatin1String("L")) {
    AssignField(fields, 1, values.ownLocator);
    AssignField(fields, 2, values.foreignLocator);
    values.ownLatitude = 0.0;
    values.foreignLatitude = 0.0;
    values.ownLongitude = 0.0;
    values.foreignLongitude = 0.0;
  } else {
    AssignNumber(DegreesField(fields, 1, locale), values.ownLatitude);
    AssignNumber(DegreesField(fields, 2, locale), values.foreignLatitude);
    AssignNumber(DegreesField(fields, 3, locale), values.ownLongitude);
    AssignNumber(DegreesField(fields, 4, locale), values.foreignLongitude);
    values.ownLocator.clear();
    values.foreignLocator.clear();
  }
  AssignField(fields, 5, values.sixthField);
  return mode;
}

}  // namespace pelvorn
