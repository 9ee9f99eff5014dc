#include "CommandLineText.h"

namespace pelvorn::win32 {
namespace {

bool IsSeparator(char16_t c) { return c == u' ' || c == u'\t'; }

}  // namespace

std::u16string_view ArgumentText(std::u16string_view commandLine) {
  std::size_t i = 0;
  bool quoted = false;
  for (; i < commandLine.size() && (quoted || !IsSeparator(commandLine[i])); ++i) {
    if (commandLine[i] == u'"') quoted = !quoted;
  }
  while (i < commandLine.size() && IsSeparator(commandLine[i])) ++i;
  return commandLine.substr(i);
}

}  // namespace pelvorn::win32
