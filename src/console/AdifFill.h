#pragma once

#include <initializer_list>
#include <string>
#include <string_view>

// TO BE REPLACED by Fill of common/Text.h when the text catalogue is merged.
namespace pelvorn {

// Returns `pattern` with %1 to %9 replaced by the values in order.
inline std::string Fill(std::string_view pattern, std::initializer_list<std::string_view> values) {
  std::string filled;
  filled.reserve(pattern.size() + 32);
  for (std::size_t i = 0; i < pattern.size(); ++i) {
    if (pattern[i] == '%' && i + 1 < pattern.size() && pattern[i + 1] >= '1' && pattern[i + 1] <= '9') {
      const auto index = static_cast<std::size_t>(pattern[i + 1] - '1');
      if (index < values.size()) {
        filled += *(values.begin() + index);
        ++i;
        continue;
      }
    }
    filled += pattern[i];
  }
  return filled;
}

}  // namespace pelvorn
