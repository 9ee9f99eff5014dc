#include "CommandLine.h"

#include "common/Text.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <string>

namespace pelvorn {
namespace {

template <class Char>
bool IsWhiteSpace(Char character) {
  const auto c = static_cast<char16_t>(character);  // a byte of a batch line is ASCII
  return c == u' ' || (c >= u'\t' && c <= u'\r') || c == 0x00A0 || c == 0x0085 || c == 0x2007 || c == 0x202F;
}

template <class Char>
std::basic_string_view<Char> TrimWhiteSpace(std::basic_string_view<Char> text) {
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
template <class Char>
std::optional<double> ReadWithSeparator(std::basic_string_view<Char> text, char16_t separator) {
  std::string plain;
  plain.reserve(text.size());
  std::size_t i = 0;
  if (i < text.size() && (text[i] == '+' || text[i] == '-')) plain += static_cast<char>(text[i++]);
  bool digits = false;
  bool point = false;
  for (; i < text.size(); ++i) {
    const Char c = text[i];
    if (c >= '0' && c <= '9') {
      digits = true;
      plain += static_cast<char>(c);
    } else if (static_cast<char16_t>(c) == separator && !point) {
      point = true;
      plain += '.';
    } else {
      break;
    }
  }
  if (!digits) return std::nullopt;
  if (i < text.size() && (text[i] == 'e' || text[i] == 'E')) {
    plain += 'e';
    ++i;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) plain += static_cast<char>(text[i++]);
    const std::size_t exponentStart = i;
    for (; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i) plain += static_cast<char>(text[i]);
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

template <class Char>
CommandLineFields<Char> Split(std::basic_string_view<Char> text) {
  CommandLineFields<Char> split{};
  for (;;) {
    const std::size_t separator = text.find(Char{';'});
    split.fields[split.count++] = text.substr(0, separator);
    if (separator == std::basic_string_view<Char>::npos || split.count == split.fields.size()) return split;
    text.remove_prefix(separator + 1);
  }
}

// Assigns field `index` to `target` when the field exists.
void AssignField(const CommandLineFields<char16_t>& split, std::size_t index, std::u16string& target) {
  if (index < split.count) target = split.fields[index];
}

// Assigns field `index`, read as degrees, to `target` when it exists and reads.
void AssignNumber(const CommandLineFields<char16_t>& split, std::size_t index, const NumberLocale& locale,
                  std::optional<double>& target) {
  if (index >= split.count) return;
  if (const std::optional<double> number = ParseDegrees(split.fields[index], locale)) target = number;
}

template <class Char>
std::optional<double> Degrees(std::basic_string_view<Char> text, const NumberLocale& locale) {
  text = TrimWhiteSpace(text);
  // Scripts write decimal points whatever the user's locale; the locale's
  // own form is tried first, then the point form.
  if (auto value = ReadWithSeparator(text, locale.decimalSeparator)) return value;
  if (locale.decimalSeparator == u'.') return std::nullopt;
  return ReadWithSeparator(text, u'.');
}

}  // namespace

std::optional<double> ParseDegrees(std::u16string_view text, const NumberLocale& locale) {
  return Degrees(text, locale);
}

std::optional<double> ParseDegrees(std::string_view text, const NumberLocale& locale) { return Degrees(text, locale); }

CommandLineFields<char16_t> SplitCommandLine(std::u16string_view text) { return Split(text); }

CommandLineFields<char> SplitCommandLine(std::string_view text) { return Split(text); }

std::u16string ParseCommandLine(std::u16string_view commandLine, CommandLineValues& values,
                                const NumberLocale& locale) {
  if (commandLine.empty() || commandLine.size() > LongestCommandLine) return {};

  const CommandLineFields<char16_t> fields = Split(commandLine);
  const std::u16string mode = ToCapitals(fields.fields[0]);

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
