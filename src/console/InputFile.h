#pragma once

#include <cstdio>
#include <string>
#ifdef _WIN32
#include <filesystem>
#endif

namespace pelvorn {

// Opens the file named `utf8Path` for reading bytes. Returns null with errno
// set when it cannot be opened. (Windows takes the name as UTF-16, so names
// beyond the ANSI code page open too.)
inline std::FILE* OpenForReading(const std::string& utf8Path) {
#ifdef _WIN32
  const std::filesystem::path path(std::u8string(utf8Path.begin(), utf8Path.end()));
  return _wfopen(path.c_str(), L"rb");
#else
  return std::fopen(utf8Path.c_str(), "rb");
#endif
}

}  // namespace pelvorn
