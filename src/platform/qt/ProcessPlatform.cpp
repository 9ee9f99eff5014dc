#include "ProcessPlatform.h"

#include "common/Text.h"
#include "common/Texts.h"

#include <QCoreApplication>

#include <cstdio>

namespace pelvorn {
namespace {

// Writes all of `bytes` to `stream` and flushes it; false on any error.
bool WriteAll(std::FILE* stream, const std::string& bytes) {
  const bool written = std::fwrite(bytes.data(), 1, bytes.size(), stream) == bytes.size();
  return std::fflush(stream) == 0 && written && std::ferror(stream) == 0;
}

}  // namespace

bool ProcessPlatform::deliverHiddenResult(std::u16string_view line) {
  return WriteAll(stdout, ToUtf8(line) + '\n');
}

void ProcessPlatform::printError(std::u16string_view line) {
  WriteAll(stderr, Fill(text::ErrorLine, {ToUtf8(line)}));
}

void ProcessPlatform::endProgram(int status) { QCoreApplication::exit(status); }

}  // namespace pelvorn
