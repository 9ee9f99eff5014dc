#include "console/ReplaceFile.h"

#include <windows.h>

#include <filesystem>

namespace pelvorn {
namespace {

std::wstring WidePath(const std::string& utf8Path) {
  return std::filesystem::path(std::u8string(utf8Path.begin(), utf8Path.end())).wstring();
}

std::string Reason(const char* what) { return std::string(what) + " (Windows-Fehler " + std::to_string(GetLastError()) + ")"; }

}  // namespace

bool ReplaceFileContents(const std::string& utf8Path, std::string_view contents, std::string& error) {
  const std::wstring target = WidePath(utf8Path);
  std::wstring temporary;
  HANDLE file = INVALID_HANDLE_VALUE;
  for (unsigned attempt = 0; attempt < 100 && file == INVALID_HANDLE_VALUE; ++attempt) {
    temporary = target + L".pelvorn-" + std::to_wstring(GetCurrentProcessId()) + L"-" + std::to_wstring(attempt);
    file = CreateFileW(temporary.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE && GetLastError() != ERROR_FILE_EXISTS) break;
  }
  if (file == INVALID_HANDLE_VALUE) {
    error = Reason("Zwischendatei kann nicht angelegt werden");
    return false;
  }
  const char* step = nullptr;
  while (!contents.empty() && step == nullptr) {
    const DWORD chunk = static_cast<DWORD>(contents.size() > 1u << 30 ? 1u << 30 : contents.size());
    DWORD written = 0;
    if (!WriteFile(file, contents.data(), chunk, &written, nullptr) || written == 0) step = "Schreiben fehlgeschlagen";
    contents.remove_prefix(written);
  }
  if (step == nullptr && !FlushFileBuffers(file)) step = "Schreiben fehlgeschlagen";
  if (step != nullptr) error = Reason(step);
  CloseHandle(file);
  if (step == nullptr &&
      !MoveFileExW(temporary.c_str(), target.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
    step = "Umbenennen fehlgeschlagen";
    error = Reason(step);
  }
  if (step != nullptr) {
    DeleteFileW(temporary.c_str());
    return false;
  }
  return true;
}

}  // namespace pelvorn
