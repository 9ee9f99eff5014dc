#include "UserNumberLocale.h"

#include <windows.h>

namespace pelvorn::win32 {

NumberLocale UserNumberLocale() {
  NumberLocale locale;
  wchar_t separator[8] = {};
  if (GetLocaleInfoEx(LOCALE_NAME_USER_DEFAULT, LOCALE_SDECIMAL, separator, 8) > 1) {
    locale.decimalSeparator = static_cast<char16_t>(separator[0]);
  }
  return locale;
}

}  // namespace pelvorn::win32
