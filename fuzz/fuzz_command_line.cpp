// Any command line, in each locale: the parser must not crash, and what it
// gives back must keep its promises.
#include "FuzzInput.h"

#include "startup/CommandLine.h"

#include <cmath>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const QString text = FuzzText(data, size);
  for (const QLocale& locale : FuzzLocales()) {
    pelvorn::CommandLineValues values;
    const QString mode = pelvorn::ParseCommandLine(text, values, locale);
    for (const auto& number : {values.ownLatitude, values.foreignLatitude, values.ownLongitude,
                               values.foreignLongitude}) {
      if (number && !std::isfinite(*number)) std::abort();
    }
    if (mode != mode.toUpper()) std::abort();
    if (text.isEmpty() && !mode.isEmpty()) std::abort();
  }
  return 0;
}
