#include "InstanceGuard.h"

#include <cerrno>
#include <utility>
#include <cstdio>
#include <cstdlib>

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace pelvorn {
namespace {

// A directory that only this user can enter and that is not a symbolic link.
bool IsPrivateDirectory(const std::string& path) {
  struct stat info {};
  if (path.empty() || path.front() != '/' || lstat(path.c_str(), &info) != 0) return false;
  return S_ISDIR(info.st_mode) && info.st_uid == getuid() && (info.st_mode & 077) == 0;
}

int OpenLockFile(const std::string& path) {
  int fd = -1;
  do {
    fd = open(path.c_str(), O_RDWR | O_CREAT | O_CLOEXEC | O_NOFOLLOW, 0600);
  } while (fd < 0 && errno == EINTR);
  return fd;
}

int Flock(int fd, int operation) {
  int result = -1;
  do {
    result = flock(fd, operation);
  } while (result != 0 && errno == EINTR);
  return result;
}

}  // namespace

std::string PrivateRuntimeDirectory() {
  if (const char* runtime = std::getenv("XDG_RUNTIME_DIR"); runtime != nullptr) {
    if (IsPrivateDirectory(runtime)) return runtime;
  }
  const std::string fallback = "/tmp/pelvorn-" + std::to_string(getuid());
  if (mkdir(fallback.c_str(), 0700) != 0 && errno != EEXIST) return {};
  return IsPrivateDirectory(fallback) ? fallback : std::string();
}

InstanceGuard::InstanceGuard(std::string directory) : directory_(std::move(directory)) {}

InstanceGuard::~InstanceGuard() {
  if (lockFd_ >= 0) close(lockFd_);
}

bool InstanceGuard::previousCopyRunning() {
  const std::string directory = directory_.empty() ? PrivateRuntimeDirectory() : directory_;
  if (directory.empty()) {
    std::fputs("Pelvorn: kein privates Laufzeitverzeichnis; weitere Kopien werden nicht erkannt.\n",
               stderr);
    return false;
  }
  const int gate = OpenLockFile(directory + "/pelvorn.gate");
  lockFd_ = OpenLockFile(directory + "/pelvorn.lock");
  if (gate < 0 || lockFd_ < 0 || Flock(gate, LOCK_EX) != 0) {
    if (gate >= 0) close(gate);
    return false;
  }
  // Alone when no running copy holds its shared lock.
  const bool alone = Flock(lockFd_, LOCK_EX | LOCK_NB) == 0;
  Flock(lockFd_, LOCK_SH);
  close(gate);  // releases the gate
  return !alone;
}

}  // namespace pelvorn
