#include "EnvironmentLocale.h"

#include <array>
#include <cstdlib>
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

}  // namespace

std::optional<NumberLocale> KnownNumberLocale(std::string_view name) {
  name = name.substr(0, name.find_first_of(".@"));
  if (name.empty()) name = "C";
  for (const auto& [known, separator] : Known) {
    if (known == name) return NumberLocale{separator};
  }
  return std::nullopt;
}

std::optional<NumberLocale> KnownNumberLocale() {
  std::string_view name = Variable("LC_ALL");
  if (name.empty()) name = Variable("LC_NUMERIC");
  if (name.empty()) name = Variable("LANG");
  return KnownNumberLocale(name);
}

}  // namespace pelvorn
