#include "EdiCommand.h"

#include "console/ConsoleToolStatus.h"
#include "console/EdiLog.h"
#include "common/ReplaceFile.h"
#include "common/SystemErrorText.h"
#include "common/Text.h"
#include "common/Texts.h"

#include <filesystem>
#include <fstream>
#include <system_error>

namespace pelvorn {
namespace {

// EDI logs are a few hundred kilobytes; anything far larger is no log.
constexpr std::uintmax_t LargestLog = 64u << 20;

std::filesystem::path PathOf(const std::string& utf8) { return std::u8string(utf8.begin(), utf8.end()); }

void Print(std::FILE* stream, const std::string& text) { std::fwrite(text.data(), 1, text.size(), stream); }

// The German text of a file system error, through the errno value the
// standard library maps it to (Windows error codes included).
std::string ErrorText(const std::error_code& code) {
  const std::error_condition condition = code.default_error_condition();
  return condition.category() == std::generic_category() ? SystemErrorText(condition.value()) : code.message();
}

std::optional<std::string> ReadWholeFile(const std::string& path, std::string& error) {
  std::error_code code;
  // A FIFO or a device is never opened: reading one could block or never end.
  const std::filesystem::file_status status = std::filesystem::status(PathOf(path), code);
  if (code) {
    error = ErrorText(code);
    return std::nullopt;
  }
  if (std::filesystem::is_directory(status)) {
    error = text::IsADirectory;
    return std::nullopt;
  }
  if (!std::filesystem::is_regular_file(status)) {
    error = text::NotARegularFile;
    return std::nullopt;
  }
  const std::uintmax_t size = std::filesystem::file_size(PathOf(path), code);
  if (code) {
    error = ErrorText(code);
    return std::nullopt;
  }
  if (size > LargestLog) {
    error = text::TooLargeForEdi;
    return std::nullopt;
  }
  std::ifstream stream(PathOf(path), std::ios::binary);
  if (!stream) {
    error = text::CannotRead;
    return std::nullopt;
  }
  std::string contents;
  contents.resize(static_cast<std::size_t>(size));
  stream.read(contents.data(), static_cast<std::streamsize>(contents.size()));
  contents.resize(static_cast<std::size_t>(stream.gcount()));
  // A file that grew since its size was taken is read to its end, within the limit.
  char more[4096];
  while (stream && contents.size() <= LargestLog) {
    stream.read(more, sizeof more);
    contents.append(more, static_cast<std::size_t>(stream.gcount()));
  }
  if (stream.bad() || contents.size() > LargestLog) {
    error = stream.bad() ? text::CannotRead : text::TooLargeForEdi;
    return std::nullopt;
  }
  return contents;
}

bool SameFile(const std::string& a, const std::string& b) {
  std::error_code code;
  return std::filesystem::equivalent(PathOf(a), PathOf(b), code) && !code;
}

}  // namespace

int RunEdiCheck(const std::string& logPath, const std::optional<std::string>& fixPath, std::FILE* out,
                std::FILE* err) {
  std::string error;
  const std::optional<std::string> file = ReadWholeFile(logPath, error);
  if (!file) {
    Print(err, Fill(text::ErrorLine, {Fill(text::About, {logPath, error})}));
    return ToolInputUnreadable;
  }
  const edi::LogCheck check = edi::CheckLog(*file);
  if (!check.failure.empty()) {
    Print(err, Fill(text::ErrorLine, {Fill(text::About, {logPath, check.failure})}));
    return ToolInputUnreadable;
  }
  Print(out, edi::ReportText(check));
  const int status = check.AllMatches() ? ToolSuccess : ToolSomeDiffer;
  if (!fixPath) return status;

  if (fixPath->empty()) {
    Print(err, Fill(text::ErrorLine, {text::FixNameEmpty}));
    return ToolInputUnreadable;
  }
  if (SameFile(logPath, *fixPath)) {
    Print(err, Fill(text::ErrorLine, {Fill(text::FixIsTheLog, {*fixPath})}));
    return ToolInputUnreadable;
  }
  std::string whyNot;
  const std::optional<std::string> corrected = edi::CorrectedLog(*file, check, whyNot);
  if (!corrected) {
    Print(err, Fill(text::ErrorLine, {Fill(text::NoCopyWritten, {whyNot})}));
    return ToolSomeDiffer;
  }
  if (!ReplaceFileContents(*fixPath, *corrected, error)) {
    Print(err, Fill(text::ErrorLine, {Fill(text::CopyNotWritten, {*fixPath, error})}));
    return ToolInputUnreadable;
  }
  Print(out, Fill(text::CopyWritten, {*fixPath}));
  return status;
}

}  // namespace pelvorn
