#pragma once

#include <string>

namespace pelvorn {

// Returns the German text for the C library error number `error` (errno),
// as the console tools print it after what failed (common/Texts.h).
// Numbers without a text of their own give text::SystemError.
std::string SystemErrorText(int error);

}  // namespace pelvorn
