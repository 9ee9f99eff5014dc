#include "CommandLine.h"

#include "common/Text.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <string>
#include <vector>

namespace pelvorn {
namespace {

bool IsWhiteSpace(char16_t c) {
  return c == u' ' || (c >= u'\t' && c <= u'\r') || c == 0x00A0 || c == 0x0085 || c == 0x2007 || c == 0x202F;
}

std::u16string_view TrimWhiteSpace(std::u16string_view text) {
  while (!text.empty() && IsWhiteSpace(text.front())) text.remove_prefix(1);
  while (!text.empty() && IsWhiteSpace(text.back())) text.remove_suffix(1);
  return text;
}

// The decimal exponent of the leading digit of the plain decimal number
// `text` (sign, digits, point, optional exponent; already checked): about
// log10 of its magnitude, saturated far outside the range of a double.
long DecimalMagnitude(std::string_view text) {
  const std::size_t e = text.find_first_of("eE");
  long exponent = 0;
  if (e != std::string_view::npos) {
    std::string_view digits = text.substr(e + 1);
    const bool negative = digits.starts_with('-');
    if (digits.starts_with('-') || digits.starts_with('+')) digits.remove_prefix(1);
    for (const char c : digits) exponent = std::min(exponent * 10 + (c - '0'), 100000L);
    if (negative) exponent = -exponent;
    text = text.substr(0, e);
  }
  const std::size_t point = std::min(text.find('.'), text.size());
  const std::size_t firstDigit = text.find_first_of("123456789");
  if (firstDigit == std::string_view::npos) return -100000;  // zero
  const long position = firstDigit < point ? static_cast<long>(point - firstDigit - 1)
                                           : -static_cast<long>(firstDigit - point);
  return exponent + position;
}

// Reads `text` (white space trimmed) with `separator` as the only decimal
// separator. The number must be: optional sign, digits with at most one
// separator (at least one digit in all), optional exponent with digits.
std::optional<double> ReadWithSeparator(std::u16string_view text, char16_t separator) {
  std::string plain;
  plain.reserve(text.size());
  std::size_t i = 0;
  if (i < text.size() && (text[i] == u'+' || text[i] == u'-')) plain += static_cast<char>(text[i++]);
  bool digits = false;
  bool point = false;
  for (; i < text.size(); ++i) {
    const char16_t c = text[i];
    if (c >= u'0' && c <= u'9') {
      digits = true;
      plain += static_cast<char>(c);
    } else if (c == separator && !point) {
      point = true;
      plain += '.';
    } else {
      break;
    }
  }
  if (!digits) return std::nullopt;
  if (i < text.size() && (text[i] == u'e' || text[i] == u'E')) {
    plain += 'e';
    ++i;
    if (i < text.size() && (text[i] == u'+' || text[i] == u'-')) plain += static_cast<char>(text[i++]);
    const std::size_t exponentStart = i;
    for (; i < text.size() && text[i] >= u'0' && text[i] <= u'9'; ++i) plain += static_cast<char>(text[i]);
    if (i == exponentStart) return std::nullopt;
  }
  if (i != text.size()) return std::nullopt;

  const char* first = plain.data() + (plain.starts_with('+') ? 1 : 0);
  double value = 0;
  const auto [end, error] = std::from_chars(first, plain.data() + plain.size(), value);
  if (end != plain.data() + plain.size()) return std::nullopt;
  if (error == std::errc::result_out_of_range) {
    // Too small for a double reads as zero; too large is no number.
    if (DecimalMagnitude(plain) >= 0) return std::nullopt;
    return plain.starts_with('-') ? -0.0 : 0.0;
  }
  if (error != std::errc() || !std::isfinite(value)) return std::nullopt;
  return value;
}

std::vector<std::u16string_view> SplitFields(std::u16string_view text) {
  std::vector<std::u16string_view> fields;
  for (;;) {
    const std::size_t separator = text.find(u';');
    fields.push_back(text.substr(0, separator));
    if (separator == std::u16string_view::npos) return fields;
    text.remove_prefix(separator + 1);
  }
}

// Assigns field `index` to `target` when the field exists.
void AssignField(const std::vector<std::u16string_view>& fields, std::size_t index, std::u16string& target) {
  if (index < fields.size()) target = fields[index];
}

// Assigns field `index`, read as degrees, to `target` when it exists and reads.
void AssignNumber(const std::vector<std::u16string_view>& fields, std::size_t index, const NumberLocale& locale,
                  std::optional<double>& target) {
  if (index >= fields.size()) return;
  if (const std::optional<double> number = ParseDegrees(fields[index], locale)) target = number;
}

}  // namespace

std::optional<double> ParseDegrees(std::u16string_view text, const NumberLocale& locale) {
  text = TrimWhiteSpace(text);
  // Scripts write decimal points whatever the user's locale; the locale's
  // own form is tried first, then the point form.
  if (auto value = ReadWithSeparator(text, locale.decimalSeparator)) return value;
  if (locale.decimalSeparator == u'.') return std::nullopt;
  return ReadWithSeparator(text, u'.');
}

std::u16string ParseCommandLine(std::u16string_view commandLine, CommandLineValues& values,
                                const NumberLocale& locale) {
  if (commandLine.empty() || commandLine.size() > LongestCommandLine) return {};

  const std::vector<std::u16string_view> fields = SplitFields(commandLine);
  const std::u16string mode = ToCapitals(fields[0]);

  if (mode == u"L") {
    AssignField(fields, 1, values.ownLocator);
    AssignField(fields, 2, values.foreignLocator);
    values.ownLatitude = 0.0;
    values.foreignLatitude = 0.0;
    values.ownLongitude = 0.0;
    values.foreignLongitude = 0.0;
  } else {
    AssignNumber(fields, 1, locale, values.ownLatitude);
    AssignNumber(fields, 2, locale, values.foreignLatitude);
    AssignNumber(fields, 3, locale, values.ownLongitude);
    AssignNumber(fields, 4, locale, values.foreignLongitude);
    values.ownLocator.clear();
    values.foreignLocator.clear();
  }
  AssignField(fields, 5, values.sixthField);
  return mode;
}

ParsedCommandLine ReadCommandLine(std::u16string_view commandLine, const NumberLocale& locale) {
  ParsedCommandLine command;
  command.mode = ParseCommandLine(commandLine, command.values, locale);
  return command;
}

}  // namespace pelvorn
