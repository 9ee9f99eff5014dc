#include "EnvironmentLocale.h"

#include "common/Text.h"

#include <langinfo.h>
#include <locale.h>

#include <array>
#include <cstdlib>
#include <string>
#include <utility>

namespace pelvorn {
namespace {

// Locale names (language or language_TERRITORY) and their decimal
// separator, as the toolkit's locale data has them. The window tests check
// every entry against it.
constexpr std::array<std::pair<std::string_view, char16_t>, 18> Known = {{
    {"C", u'.'},     {"POSIX", u'.'},  {"en", u'.'},    {"en_US", u'.'}, {"en_GB", u'.'},
    {"en_AU", u'.'}, {"en_CA", u'.'},  {"en_IE", u'.'}, {"en_NZ", u'.'}, {"de", u','},
    {"de_DE", u','}, {"de_AT", u','},  {"de_BE", u','}, {"de_LU", u','}, {"de_IT", u','},
    {"de_CH", u'.'}, {"de_LI", u'.'},  {"en_IN", u'.'},
}};

std::string_view Variable(const char* name) {
  const char* value = std::getenv(name);
  return value != nullptr ? std::string_view(value) : std::string_view();
}

// The locale that decides numbers, as the C library chooses it.
std::string_view NumericLocaleName() {
  std::string_view name = Variable("LC_ALL");
  if (name.empty()) name = Variable("LC_NUMERIC");
  if (name.empty()) name = Variable("LANG");
  return name;
}

// Returns the decimal separator the C library's data gives the locale
// `name`, or nothing when that locale is not installed or its separator is
// not one character. (nl_langinfo_l reads the same LC_NUMERIC data as
// localeconv, without changing the locale of the process or thread.)
std::optional<char16_t> InstalledDecimalSeparator(const std::string& name) {
  const locale_t locale = newlocale(LC_NUMERIC_MASK, name.c_str(), static_cast<locale_t>(nullptr));
  if (locale == static_cast<locale_t>(nullptr)) return std::nullopt;
  const std::u16string separator = FromUtf8(nl_langinfo_l(RADIXCHAR, locale));
  freelocale(locale);
  if (separator.size() != 1 || separator.front() == u'\uFFFD') return std::nullopt;
  return separator.front();
}

}  // namespace

std::optional<NumberLocale> KnownNumberLocale(std::string_view name) {
  name = name.substr(0, name.find_first_of(".@"));
  if (name.empty()) name = "C";
  for (const auto& [known, separator] : Known) {
    if (known == name) return NumberLocale{separator};
  }
  return std::nullopt;
}

std::optional<NumberLocale> KnownNumberLocale() { return KnownNumberLocale(NumericLocaleName()); }

NumberLocale ConsoleNumberLocale() {
  const std::string_view name = NumericLocaleName();
  if (const std::optional<NumberLocale> known = KnownNumberLocale(name)) return *known;
  if (const std::optional<char16_t> separator = InstalledDecimalSeparator(std::string(name))) {
    return NumberLocale{*separator};
  }
  return NumberLocale{};
}

}  // namespace pelvorn
