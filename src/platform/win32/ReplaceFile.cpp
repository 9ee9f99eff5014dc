#include "console/ReplaceFile.h"

#include "common/SystemErrorText.h"
#include "common/Text.h"
#include "common/Texts.h"

#include <windows.h>

#include <cerrno>
#include <filesystem>

namespace pelvorn {
namespace {

std::wstring WidePath(const std::string& utf8Path) {
  return std::filesystem::path(std::u8string(utf8Path.begin(), utf8Path.end())).wstring();
}

// The German text of the last Windows error, through the C library's
// number for it where there is one.
std::string Reason(std::string_view what) {
  const DWORD code = GetLastError();
  int error = 0;
  switch (code) {
    case ERROR_FILE_NOT_FOUND:
    case ERROR_PATH_NOT_FOUND: error = ENOENT; break;
    case ERROR_ACCESS_DENIED:
    case ERROR_SHARING_VIOLATION:
    case ERROR_LOCK_VIOLATION: error = EACCES; break;
    case ERROR_WRITE_PROTECT: error = EROFS; break;
    case ERROR_DISK_FULL:
    case ERROR_HANDLE_DISK_FULL: error = ENOSPC; break;
    case ERROR_FILE_TOO_LARGE: error = EFBIG; break;
    case ERROR_FILENAME_EXCED_RANGE: error = ENAMETOOLONG; break;
    case ERROR_NOT_READY:
    case ERROR_CRC:
    case ERROR_WRITE_FAULT: error = EIO; break;
    default: return Fill(text::WindowsError, {what, std::to_string(code)});
  }
  return Fill(text::About, {what, SystemErrorText(error)});
}

}  // namespace

bool ReplaceFileContents(const std::string& utf8Path, std::string_view contents, std::string& error) {
  const std::wstring target = WidePath(utf8Path);
  // The system's own tools refuse a read-only file; replacing it would
  // silently clear the attribute.
  const DWORD attributes = GetFileAttributesW(target.c_str());
  if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_READONLY) != 0) {
    error = text::ReadOnlyFile;
    return false;
  }
  std::wstring temporary;
  HANDLE file = INVALID_HANDLE_VALUE;
  for (unsigned attempt = 0; attempt < 100 && file == INVALID_HANDLE_VALUE; ++attempt) {
    temporary = target + L".pelvorn-" + std::to_wstring(GetCurrentProcessId()) + L"-" + std::to_wstring(attempt);
    file = CreateFileW(temporary.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE && GetLastError() != ERROR_FILE_EXISTS) break;
  }
  if (file == INVALID_HANDLE_VALUE) {
    error = Reason(text::TemporaryNotCreated);
    return false;
  }
  std::string_view step;
  while (!contents.empty() && step.empty()) {
    const DWORD chunk = static_cast<DWORD>(contents.size() > 1u << 30 ? 1u << 30 : contents.size());
    DWORD written = 0;
    if (!WriteFile(file, contents.data(), chunk, &written, nullptr) || written == 0) step = text::WriteFailed;
    contents.remove_prefix(written);
  }
  if (step.empty() && !FlushFileBuffers(file)) step = text::WriteFailed;
  if (!step.empty()) error = Reason(step);
  CloseHandle(file);
  if (step.empty() &&
      !MoveFileExW(temporary.c_str(), target.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
    step = text::RenameFailed;
    error = Reason(step);
  }
  if (!step.empty()) {
    DeleteFileW(temporary.c_str());
    return false;
  }
  return true;
}

}  // namespace pelvorn
