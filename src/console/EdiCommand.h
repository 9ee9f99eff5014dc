#pragma once

#include "common/Arguments.h"

#include <cstdio>
#include <optional>
#include <string>

namespace pelvorn {

// The options --edi takes, in any order.
inline constexpr OptionRule EdiArguments[] = {{"--edi", OptionValue::Required}, {"--fix", OptionValue::Required}};

// `Pelvorn --edi FILE [--fix OUT]`: checks the QSO points of the EDI log
// FILE, prints the report on `out` and, with `fixPath`, writes the corrected
// copy there (never over FILE). Returns 0 when everything the log claims
// matches, 1 when something differs or cannot be checked, 2 when FILE
// cannot be read or is no EDI log, or OUT cannot be written; every status
// but 0 says why on `out` or `err`. Paths are UTF-8.
int RunEdiCheck(const std::string& logPath, const std::optional<std::string>& fixPath, std::FILE* out,
                std::FILE* err);

}  // namespace pelvorn
