#pragma once

#include <string_view>

namespace pelvorn::win32 {

// Returns the argument text of a process command line as Windows hands it
// over (GetCommandLineW): everything after the program name and the blanks
// and tabs that follow it, unchanged (quotes included). The program name is
// skipped by the C runtime's rule for it: it ends at the first blank or tab
// outside double quotes; backslashes escape nothing there.
std::u16string_view ArgumentText(std::u16string_view commandLine);

}  // namespace pelvorn::win32
