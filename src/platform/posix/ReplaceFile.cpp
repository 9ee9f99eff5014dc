#include "console/ReplaceFile.h"
#include "platform/posix/FileDescriptor.h"

#include <cerrno>
#include <csignal>
#include <cstdio>
#include <cstring>
#include <vector>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace pelvorn {
namespace {

std::string Reason(const char* what, int error) { return std::string(what) + ": " + std::strerror(error); }

}  // namespace

bool ReplaceFileContents(const std::string& utf8Path, std::string_view contents, std::string& error) {
  // A file size limit must end in an error we can clean up after, not in
  // the signal that would kill us with the temporary file left behind.
  std::signal(SIGXFSZ, SIG_IGN);

  std::vector<char> temporary(utf8Path.begin(), utf8Path.end());
  const std::string_view suffix = ".pelvorn-XXXXXX";
  temporary.insert(temporary.end(), suffix.begin(), suffix.end());
  temporary.push_back('\0');
  const int descriptor = ::mkstemp(temporary.data());
  if (descriptor < 0) {
    error = Reason("Zwischendatei kann nicht angelegt werden", errno);
    return false;
  }
  int failure = 0;
  const char* step = nullptr;
  // mkstemp makes the file private; the copy gets the mode of the file it
  // replaces, or that of any new file.
  struct stat existing {};
  mode_t mode = 0;
  if (::stat(utf8Path.c_str(), &existing) == 0) {
    mode = existing.st_mode & 07777;
  } else {
    const mode_t mask = ::umask(0);
    ::umask(mask);
    mode = 0666 & ~mask;
  }
  if (::fchmod(descriptor, mode) != 0) {
    failure = errno;
    step = "Rechte nicht setzbar";
  } else if ((failure = WriteAll(descriptor, contents)) != 0) {
    step = "Schreiben fehlgeschlagen";
  } else if (::fsync(descriptor) != 0) {
    failure = errno;
    step = "Schreiben fehlgeschlagen";
  }
  if (::close(descriptor) != 0 && step == nullptr) {
    failure = errno;
    step = "Schreiben fehlgeschlagen";
  }
  if (step == nullptr && ::rename(temporary.data(), utf8Path.c_str()) != 0) {
    failure = errno;
    step = "Umbenennen fehlgeschlagen";
  }
  if (step != nullptr) {
    ::unlink(temporary.data());
    error = Reason(step, failure);
    return false;
  }
  return true;
}

}  // namespace pelvorn
