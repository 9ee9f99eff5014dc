#include "InstanceGuard.h"

#include <cerrno>
#include <charconv>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <utility>

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

constexpr const char* PassedLockVariable = "PELVORN_GUARD";

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

// Takes over the lock file and the answer that the program before the exec
// left in the environment, when the descriptor named there is that lock file.
bool InstanceGuard::adoptPassedLock(const std::string& directory) {
  const char* passed = std::getenv(PassedLockVariable);
  if (passed == nullptr) return false;
  const std::string value = passed;
  unsetenv(PassedLockVariable);
  int fd = -1;
  int answer = -1;
  const char* end = value.data() + value.size();
  const auto [afterFd, fdError] = std::from_chars(value.data(), end, fd);
  if (fdError != std::errc() || afterFd == end || *afterFd != ':') return false;
  const auto [afterAnswer, answerError] = std::from_chars(afterFd + 1, end, answer);
  if (answerError != std::errc() || afterAnswer != end || (answer != 0 && answer != 1) || fd < 3) return false;
  struct stat opened {};
  struct stat named {};
  const std::string lockPath = directory + "/pelvorn.lock";
  if (fstat(fd, &opened) != 0 || lstat(lockPath.c_str(), &named) != 0 || !S_ISREG(opened.st_mode) ||
      opened.st_dev != named.st_dev || opened.st_ino != named.st_ino) {
    return false;
  }
  fcntl(fd, F_SETFD, FD_CLOEXEC);
  lockFd_ = fd;
  answer_ = answer;
  return true;
}

void InstanceGuard::passToExec() {
  if (lockFd_ < 0 || answer_ < 0) return;
  if (fcntl(lockFd_, F_SETFD, 0) != 0) return;
  const std::string value = std::to_string(lockFd_) + ":" + std::to_string(answer_);
  setenv(PassedLockVariable, value.c_str(), 1);
}

bool InstanceGuard::previousCopyRunning() {
  if (answer_ >= 0) return answer_ == 1;
  const std::string directory = directory_.empty() ? PrivateRuntimeDirectory() : directory_;
  if (!directory.empty() && adoptPassedLock(directory)) return answer_ == 1;
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
  answer_ = alone ? 0 : 1;
  return !alone;
}

}  // namespace pelvorn
