#include "InstanceGuard.h"

#include "common/Text.h"
#include "common/Texts.h"
#include "platform/posix/FileDescriptor.h"

#include <array>
#include <cerrno>
#include <charconv>
#include <cstdio>
#include <cstdlib>
#include <utility>

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace pelvorn {
namespace {

using Directory = FileDescriptor;

// Owned by this user and closed to everybody else.
bool IsPrivate(const struct stat& info) {
  return S_ISDIR(info.st_mode) && info.st_uid == getuid() && (info.st_mode & 077) == 0;
}

// Owned by this user or root and writable by nobody else: nobody else can
// put or replace anything in it.
bool IsOwnedAndClosed(const struct stat& info) {
  return S_ISDIR(info.st_mode) && (info.st_uid == getuid() || info.st_uid == 0) && (info.st_mode & 022) == 0;
}

bool IsPrivateDirectory(const std::string& path) {
  struct stat info {};
  return !path.empty() && path.front() == '/' && lstat(path.c_str(), &info) == 0 && IsPrivate(info);
}

int OpenDirectory(int parent, const char* name, int flags) {
  int fd = -1;
  do {
    fd = openat(parent, name, O_RDONLY | O_DIRECTORY | O_CLOEXEC | flags);
  } while (fd < 0 && errno == EINTR);
  return fd;
}

// Makes `name` inside `parent` with mode 0700 unless it exists, and opens
// it without following a symbolic link. Returns -1 when that fails.
int MakeDirectory(int parent, const char* name) {
  if (mkdirat(parent, name, 0700) != 0 && errno != EEXIST) return -1;
  return OpenDirectory(parent, name, O_NOFOLLOW);
}

// <home>/.cache/pelvorn-<host>, walked one directory at a time.
std::string HomeDirectory(const PrivatePlaces& places) {
  if (places.home.empty() || places.home.front() != '/') return {};
  struct stat info {};
  const Directory home(OpenDirectory(AT_FDCWD, places.home.c_str(), 0));
  if (home.get() < 0 || fstat(home.get(), &info) != 0 || !IsOwnedAndClosed(info)) return {};
  // .cache may be a symbolic link of the user's own making; it must lead to
  // a directory as closed as the home.
  if (mkdirat(home.get(), ".cache", 0700) != 0 && errno != EEXIST) return {};
  const Directory cache(OpenDirectory(home.get(), ".cache", 0));
  if (cache.get() < 0 || fstat(cache.get(), &info) != 0 || !IsOwnedAndClosed(info)) return {};
  std::string name = "pelvorn-" + (places.host.empty() ? std::string("localhost") : places.host);
  for (char& c : name) {
    if (c == '/') c = '_';
  }
  const Directory own(MakeDirectory(cache.get(), name.c_str()));
  if (own.get() < 0 || fstat(own.get(), &info) != 0 || !IsPrivate(info)) return {};
  std::string path = places.home;
  if (path.back() != '/') path += '/';
  return path + ".cache/" + name;
}

std::string TemporaryDirectory(const PrivatePlaces& places) {
  if (places.temporary.empty() || places.temporary.front() != '/') return {};
  std::string path = places.temporary;
  if (path.back() != '/') path += '/';
  path += "pelvorn-" + std::to_string(getuid());
  if (mkdir(path.c_str(), 0700) != 0 && errno != EEXIST) return {};
  return IsPrivateDirectory(path) ? path : std::string();
}

// Opens `name` in the directory `directory` for locking, refusing a symbolic
// link and anything that is not a file of this user.
int OpenLockFile(int directory, const char* name) {
  int fd = -1;
  do {
    fd = openat(directory, name, O_RDWR | O_CREAT | O_CLOEXEC | O_NOFOLLOW | O_NONBLOCK, 0600);
  } while (fd < 0 && errno == EINTR);
  struct stat info {};
  if (fd >= 0 && (fstat(fd, &info) != 0 || !S_ISREG(info.st_mode) || info.st_uid != getuid())) {
    close(fd);
    return -1;
  }
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

PrivatePlaces PrivatePlacesOfThisProcess() {
  const auto variable = [](const char* name) {
    const char* value = std::getenv(name);
    return std::string(value != nullptr ? value : "");
  };
  PrivatePlaces places;
  places.runtime = variable("XDG_RUNTIME_DIR");
  places.session = "/run/user/" + std::to_string(getuid());
  places.home = variable("HOME");
  places.temporary = variable("TMPDIR");
  if (places.temporary.empty()) places.temporary = "/tmp";
  std::array<char, 256> host{};
  if (gethostname(host.data(), host.size() - 1) == 0) places.host = host.data();
  return places;
}

std::string PrivateDirectory(const PrivatePlaces& places) {
  if (IsPrivateDirectory(places.runtime)) return places.runtime;
  if (IsPrivateDirectory(places.session)) return places.session;
  if (std::string home = HomeDirectory(places); !home.empty()) return home;
  return TemporaryDirectory(places);
}

std::string PrivateRuntimeDirectory() { return PrivateDirectory(PrivatePlacesOfThisProcess()); }

InstanceGuard::InstanceGuard(std::string directory) : directory_(std::move(directory)) {}

namespace {
constexpr const char* PassedLockVariable = "PELVORN_GUARD";
}  // namespace

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

InstanceGuard::~InstanceGuard() {
  if (lockFd_ >= 0) close(lockFd_);
}

bool InstanceGuard::previousCopyRunning() {
  if (answer_ >= 0) return answer_ == 1;
  const std::string path = directory_.empty() ? PrivateRuntimeDirectory() : directory_;
  if (!path.empty() && adoptPassedLock(path)) return answer_ == 1;
  // Checked again on the open directory: the files go where the check was made.
  struct stat info {};
  const Directory directory(path.empty() ? -1 : OpenDirectory(AT_FDCWD, path.c_str(), O_NOFOLLOW));
  const bool usable = directory.get() >= 0 && fstat(directory.get(), &info) == 0 && IsPrivate(info);
  const int gate = usable ? OpenLockFile(directory.get(), "pelvorn.gate") : -1;
  lockFd_ = usable ? OpenLockFile(directory.get(), "pelvorn.lock") : -1;
  if (gate < 0 || lockFd_ < 0 || Flock(gate, LOCK_EX) != 0) {
    if (gate >= 0) close(gate);
    std::fputs(Fill(text::ErrorLine, {usable ? text::LockNotCreated : text::NoPrivateLockDirectory}).c_str(), stderr);
    return false;
  }
  // Alone when no running copy holds its shared lock.
  const bool alone = Flock(lockFd_, LOCK_EX | LOCK_NB) == 0;
  if (Flock(lockFd_, LOCK_SH) != 0) {
    // The conversion is not atomic: whatever is left of the exclusive lock
    // would make every later copy believe itself the second one.
    Flock(lockFd_, LOCK_UN);
    close(lockFd_);
    lockFd_ = -1;
    std::fputs(Fill(text::ErrorLine, {text::LockNotHeld}).c_str(), stderr);
  }
  close(gate);  // releases the gate
  answer_ = alone ? 0 : 1;
  return !alone;
}

}  // namespace pelvorn
