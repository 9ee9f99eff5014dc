#pragma once

#include "common/NumberLocale.h"

namespace pelvorn::win32 {

// The decimal separator of the user's Windows locale (Control Panel,
// Region); a point when Windows does not tell.
NumberLocale UserNumberLocale();

}  // namespace pelvorn::win32
