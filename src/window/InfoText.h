#pragma once

#include <string>
#include <string_view>

namespace pelvorn {

// Returns the text of the information box: the program's identity, what it
// does and how to call it, 24 lines joined by `lineBreak`.
std::u16string InfoText(std::u16string_view lineBreak);

}  // namespace pelvorn
