#include "common/ReplaceFile.h"

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

// Whether `path` names a device rather than a file: NUL, CON, COM1 (and on
// Windows before 11 also nul.txt and the like in any folder), \\.\ paths, or
// anything that opens as other than a file on a disk. A rename over one
// fails, or swaps it for a file.
bool IsDevice(const std::wstring& path) {
  std::wstring full(MAX_PATH, L'\0');
  const DWORD size = GetFullPathNameW(path.c_str(), static_cast<DWORD>(full.size()), full.data(), nullptr);
  if (size > 0 && size < full.size() && std::wstring_view(full.data(), size).starts_with(L"\\\\.\\")) return true;
  const HANDLE file = CreateFileW(path.c_str(), 0, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                  OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
  if (file == INVALID_HANDLE_VALUE) return false;
  const bool device = GetFileType(file) != FILE_TYPE_DISK;
  CloseHandle(file);
  return device;
}

}  // namespace

struct FileReplacement::State {
  std::wstring target;
  std::wstring temporary;
  HANDLE file = INVALID_HANDLE_VALUE;
  bool failed = false;
};

FileReplacement::FileReplacement() = default;

FileReplacement::~FileReplacement() {
  if (!state_) return;
  if (state_->file != INVALID_HANDLE_VALUE) CloseHandle(state_->file);
  if (!state_->temporary.empty()) DeleteFileW(state_->temporary.c_str());
}

bool FileReplacement::Open(const std::string& utf8Path, std::string& error) {
  state_ = std::make_unique<State>();
  State& state = *state_;
  state.target = WidePath(utf8Path);
  state.failed = true;
  // The system's own tools refuse a read-only file; replacing it would
  // silently clear the attribute.
  const DWORD attributes = GetFileAttributesW(state.target.c_str());
  if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0) {
    error = text::IsADirectory;
    return false;
  }
  if (IsDevice(state.target)) {
    error = text::NotARegularFile;
    return false;
  }
  if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_READONLY) != 0) {
    error = text::ReadOnlyFile;
    return false;
  }
  std::wstring name;
  for (unsigned attempt = 0; attempt < 100 && state.file == INVALID_HANDLE_VALUE; ++attempt) {
    name = state.target + L".pelvorn-" + std::to_wstring(GetCurrentProcessId()) + L"-" + std::to_wstring(attempt);
    state.file = CreateFileW(name.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (state.file == INVALID_HANDLE_VALUE && GetLastError() != ERROR_FILE_EXISTS) break;
  }
  if (state.file == INVALID_HANDLE_VALUE) {
    error = Reason(text::TemporaryNotCreated);
    return false;
  }
  state.temporary = name;
  state.failed = false;
  return true;
}

bool FileReplacement::Write(std::string_view bytes, std::string& error) {
  if (!state_ || state_->failed) {
    error = text::WriteFailed;
    return false;
  }
  while (!bytes.empty()) {
    const DWORD chunk = static_cast<DWORD>(bytes.size() > 1u << 30 ? 1u << 30 : bytes.size());
    DWORD written = 0;
    if (!WriteFile(state_->file, bytes.data(), chunk, &written, nullptr) || written == 0) {
      state_->failed = true;
      error = Reason(text::WriteFailed);
      return false;
    }
    bytes.remove_prefix(written);
  }
  return true;
}

bool FileReplacement::Commit(std::string& error) {
  if (!state_ || state_->failed) {
    error = text::WriteFailed;
    return false;
  }
  State& state = *state_;
  state.failed = true;  // until it has succeeded
  if (!FlushFileBuffers(state.file)) {
    error = Reason(text::WriteFailed);
    return false;
  }
  CloseHandle(state.file);
  state.file = INVALID_HANDLE_VALUE;
  // ReplaceFileW keeps the attributes, the permissions and the creation
  // time of the file it replaces; where it cannot, a plain rename.
  const bool replaced = GetFileAttributesW(state.target.c_str()) != INVALID_FILE_ATTRIBUTES &&
                        ReplaceFileW(state.target.c_str(), state.temporary.c_str(), nullptr,
                                     REPLACEFILE_IGNORE_MERGE_ERRORS, nullptr, nullptr);
  if (!replaced &&
      !MoveFileExW(state.temporary.c_str(), state.target.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
    error = Reason(text::RenameFailed);
    return false;  // the destructor removes the temporary file
  }
  state.temporary.clear();
  state.failed = false;
  return true;
}

bool ReplaceFileContents(const std::string& utf8Path, std::string_view contents, std::string& error) {
  FileReplacement replacement;
  return replacement.Open(utf8Path, error) && replacement.Write(contents, error) && replacement.Commit(error);
}

}  // namespace pelvorn
