// Any command line, in each locale: the parser must not crash, and what it
// gives back must keep its promises.
#include "FuzzInput.h"

#include "common/CommandLine.h"

#include <cmath>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::u16string text = FuzzText(data, size);
  for (const pelvorn::NumberLocale& locale : FuzzLocales()) {
    pelvorn::CommandLineValues values;
    const std::u16string mode = pelvorn::ParseCommandLine(text, values, locale);
    for (const auto& number : {values.ownLatitude, values.foreignLatitude, values.ownLongitude,
                               values.foreignLongitude}) {
      if (number && !std::isfinite(*number)) std::abort();
    }
    if (mode != pelvorn::ToCapitals(mode)) std::abort();
    if (text.empty() && !mode.empty()) std::abort();
  }
  return 0;
}
