#include "OwnProgram.h"

#include <sys/stat.h>
#include <unistd.h>

#include <array>
#include <climits>
#include <cstdlib>

#ifndef PELVORN_LIBEXEC_RELATIVE
#define PELVORN_LIBEXEC_RELATIVE "libexec/pelvorn"
#endif

namespace pelvorn {

bool IsExecutableFile(const std::string& path) {
  struct stat status {};
  return stat(path.c_str(), &status) == 0 && S_ISREG(status.st_mode) && access(path.c_str(), X_OK) == 0;
}

std::string FindOwnProgram(std::string_view name) {
  std::array<char, PATH_MAX> executable{};
  const ssize_t length = readlink("/proc/self/exe", executable.data(), executable.size() - 1);
  if (length > 0) {
    std::string directory(executable.data(), static_cast<std::size_t>(length));
    const std::size_t slash = directory.rfind('/');
    if (slash != std::string::npos) {
      directory.resize(slash + 1);
      // Next to the program (the build), then where the package put it
      // beside the program's own bin directory, wherever it was installed.
      for (std::string path : {directory, directory + "../" PELVORN_LIBEXEC_RELATIVE "/"}) {
        path += name;
        if (IsExecutableFile(path)) return path;
      }
    }
  }
#ifdef PELVORN_LIBEXEC_DIR
  std::string installed = PELVORN_LIBEXEC_DIR "/";
  installed += name;
  if (IsExecutableFile(installed)) return installed;
#endif
  return {};
}

std::string FindOnPath(std::string_view name) {
  const char* path = std::getenv("PATH");
  std::string_view directories = path != nullptr ? path : "/usr/local/bin:/usr/bin:/bin";
  while (!directories.empty()) {
    const std::size_t colon = directories.find(':');
    const std::string_view directory = directories.substr(0, colon);
    directories.remove_prefix(colon == std::string_view::npos ? directories.size() : colon + 1);
    if (directory.empty() || directory.front() != '/') continue;
    std::string candidate(directory);
    candidate += '/';
    candidate += name;
    if (IsExecutableFile(candidate)) return candidate;
  }
  return {};
}

}  // namespace pelvorn
