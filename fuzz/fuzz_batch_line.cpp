// Any line of a batch run, in each locale: one output line (no line break
// in it), a TSV line of exactly seven columns, and a reason exactly when
// there is no result.
#include "FuzzInput.h"

#include "console/BatchLine.h"

#include <algorithm>
#include <cstdlib>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string line(reinterpret_cast<const char*>(data), size);
  if (line.find('\n') != std::string::npos) return 0;  // the batch run splits there
  for (const pelvorn::NumberLocale& locale : FuzzLocales()) {
    std::string plain, tsv;
    const std::string reason = pelvorn::AppendBatchLine(line, pelvorn::BatchFormat::ResultLine, locale, plain);
    const std::string tsvReason = pelvorn::AppendBatchLine(line, pelvorn::BatchFormat::Tsv, locale, tsv);
    if (reason != tsvReason) std::abort();
    if (plain.find('\n') != std::string::npos || tsv.find('\n') != std::string::npos) std::abort();
    if (std::count(tsv.begin(), tsv.end(), '\t') != 6) std::abort();
    if (reason.empty() == plain.empty()) std::abort();
  }
  return 0;
}
