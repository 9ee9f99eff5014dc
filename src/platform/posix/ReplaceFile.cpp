#include "common/ReplaceFile.h"
#include "platform/posix/FileDescriptor.h"

#include "common/SystemErrorText.h"
#include "common/Text.h"
#include "common/Texts.h"

#include <cerrno>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <random>
#include <string>

#include <fcntl.h>
#include <pthread.h>
#include <sys/stat.h>
#include <unistd.h>

namespace pelvorn {
namespace {

std::string Reason(std::string_view what, int error) { return Fill(text::About, {what, SystemErrorText(error)}); }

// The directory part of `path` ("." for a bare name), for the temporary
// file and for the fsync that makes the rename last.
std::string DirectoryOf(const std::string& path) {
  const std::size_t slash = path.rfind('/');
  if (slash == std::string::npos) return ".";
  if (slash == 0) return "/";
  return path.substr(0, slash);
}

// While it lives, a write beyond the file size limit fails with EFBIG in
// this thread instead of killing the process with SIGXFSZ (which would
// leave a temporary file behind). Other threads and the process's signal
// dispositions are not touched; a signal raised meanwhile is consumed.
class FileSizeSignalHeld {
public:
  FileSizeSignalHeld() {
    sigemptyset(&held_);
    sigaddset(&held_, SIGXFSZ);
    pthread_sigmask(SIG_BLOCK, &held_, &previous_);
    sigset_t pending;
    sigpending(&pending);
    pendingBefore_ = sigismember(&pending, SIGXFSZ) == 1;
  }
  ~FileSizeSignalHeld() {
    sigset_t pending;
    sigpending(&pending);
    if (!pendingBefore_ && sigismember(&pending, SIGXFSZ) == 1) {
      const timespec now{0, 0};
      sigtimedwait(&held_, nullptr, &now);
    }
    pthread_sigmask(SIG_SETMASK, &previous_, nullptr);
  }
  FileSizeSignalHeld(const FileSizeSignalHeld&) = delete;
  FileSizeSignalHeld& operator=(const FileSizeSignalHeld&) = delete;

private:
  sigset_t held_{};
  sigset_t previous_{};
  bool pendingBefore_ = false;
};

// "OUT.pelvorn-XXXXXX" with six random letters or digits.
std::string TemporaryName(const std::string& path) {
  static constexpr char Letters[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789";
  thread_local std::mt19937 random{std::random_device{}()};
  std::string name = path + ".pelvorn-";
  for (int i = 0; i < 6; ++i) name += Letters[random() % (sizeof Letters - 1)];
  return name;
}

// Opens the file the contents go to. On Linux it has no name while it is
// being written (O_TMPFILE), so a killed run leaves nothing; elsewhere, or
// where the file system cannot do that, it is OUT.pelvorn-XXXXXX. New files
// get 0666 less the umask from the kernel, so the umask is never changed.
int OpenTemporary(const std::string& path, std::string& name, int& error) {
#ifdef O_TMPFILE
  int descriptor = -1;
  do {
    descriptor = ::open(DirectoryOf(path).c_str(), O_TMPFILE | O_WRONLY | O_CLOEXEC, 0666);
  } while (descriptor < 0 && errno == EINTR);
  // It is named later through /proc/self/fd; where that is missing (a
  // chroot or sandbox without /proc), a named file instead.
  if (descriptor >= 0 && ::access(("/proc/self/fd/" + std::to_string(descriptor)).c_str(), F_OK) == 0) {
    name.clear();
    return descriptor;
  }
  if (descriptor >= 0) {
    ::close(descriptor);
    errno = EOPNOTSUPP;
  }
  // Not supported by this kernel or file system: a named file instead.
  if (errno != EOPNOTSUPP && errno != EISDIR && errno != EINVAL) {
    error = errno;
    return -1;
  }
#endif
  for (int attempt = 0; attempt < 100; ++attempt) {
    name = TemporaryName(path);
    const int named = ::open(name.c_str(), O_CREAT | O_EXCL | O_WRONLY | O_CLOEXEC | O_NOFOLLOW, 0666);
    if (named >= 0) return named;
    if (errno != EEXIST && errno != EINTR) break;
  }
  error = errno;
  name.clear();
  return -1;
}

// Gives the unnamed file of OpenTemporary a name beside `path`.
bool NameTemporary(int descriptor, const std::string& path, std::string& name, int& error) {
  const std::string self = "/proc/self/fd/" + std::to_string(descriptor);
  for (int attempt = 0; attempt < 100; ++attempt) {
    name = TemporaryName(path);
    if (::linkat(AT_FDCWD, self.c_str(), AT_FDCWD, name.c_str(), AT_SYMLINK_FOLLOW) == 0) return true;
    if (errno != EEXIST) break;
  }
  error = errno;
  name.clear();
  return false;
}

}  // namespace

struct FileReplacement::State {
  std::string path;
  std::string temporary;  // the name of the file while it has one
  int descriptor = -1;
  bool replaces = false;  // `path` exists
  bool failed = false;
};

FileReplacement::FileReplacement() = default;

FileReplacement::~FileReplacement() {
  if (!state_) return;
  if (state_->descriptor >= 0) ::close(state_->descriptor);
  if (!state_->temporary.empty()) ::unlink(state_->temporary.c_str());
}

bool FileReplacement::Open(const std::string& path, std::string& error) {
  state_ = std::make_unique<State>();
  State& state = *state_;
  state.path = path;
  // A symbolic link stays: the file it leads to is replaced, in its own
  // directory. A link that leads nowhere is refused rather than replaced.
  struct stat link {};
  if (::lstat(path.c_str(), &link) == 0 && S_ISLNK(link.st_mode)) {
    char* const target = ::realpath(path.c_str(), nullptr);
    if (target == nullptr) {
      state.failed = true;
      error = errno == ENOENT ? std::string(text::LinkLeadsNowhere) : SystemErrorText(errno);
      return false;
    }
    state.path = target;
    std::free(target);
  }
  const std::string& utf8Path = state.path;
  // Only a regular file is replaced: a rename over a device, a FIFO or a
  // directory entry of another kind would silently swap it for a file.
  struct stat target {};
  if (::stat(utf8Path.c_str(), &target) == 0 && !S_ISREG(target.st_mode)) {
    state.failed = true;
    error = S_ISDIR(target.st_mode) ? text::IsADirectory : text::NotARegularFile;
    return false;
  }
  int failure = 0;
  state.descriptor = OpenTemporary(utf8Path, state.temporary, failure);
  if (state.descriptor < 0) {
    state.failed = true;
    error = Reason(text::TemporaryNotCreated, failure);
    return false;
  }
  // The copy keeps the owner (as far as this user may give it: root fully,
  // others the group) and the mode of the file it replaces. A second hard
  // link of the old file keeps the old contents.
  struct stat existing {};
  state.replaces = ::stat(utf8Path.c_str(), &existing) == 0;
  if (state.replaces && ::fchown(state.descriptor, existing.st_uid, existing.st_gid) != 0 &&
      ::fchown(state.descriptor, static_cast<uid_t>(-1), existing.st_gid) != 0) {
    // The copy is then the user's own, as any file they write.
  }
  if (state.replaces && ::fchmod(state.descriptor, existing.st_mode & 07777) != 0) {
    state.failed = true;
    error = Reason(text::ModeNotSet, errno);
    return false;
  }
  return true;
}

bool FileReplacement::Write(std::string_view bytes, std::string& error) {
  if (!state_ || state_->failed) {
    error = Reason(text::WriteFailed, EBADF);
    return false;
  }
  const FileSizeSignalHeld held;
  if (const int failure = WriteAll(state_->descriptor, bytes); failure != 0) {
    state_->failed = true;
    error = Reason(text::WriteFailed, failure);
    return false;
  }
  return true;
}

bool FileReplacement::Commit(std::string& error) {
  if (!state_ || state_->failed) {
    error = Reason(text::WriteFailed, EBADF);
    return false;
  }
  State& state = *state_;
  state.failed = true;  // until it has succeeded
  const std::string& utf8Path = state.path;
  const int descriptor = state.descriptor;
  std::string& temporary = state.temporary;
  std::string_view step;
  int failure = 0;
  if (::fsync(descriptor) != 0) {
    failure = errno;
    step = text::WriteFailed;
  }
  const bool unnamed = temporary.empty();
  if (!unnamed) {
    state.descriptor = -1;
    if (::close(descriptor) != 0 && step.empty()) {
      failure = errno;
      step = text::WriteFailed;
    }
  }
  // An unnamed copy gets a name only when complete: OUT itself when there
  // is none yet, else a temporary one that the rename swaps in at once
  // (a kill between the two leaves that name behind).
  bool inPlace = false;
  if (step.empty() && unnamed) {
    inPlace = !state.replaces && ::linkat(AT_FDCWD, ("/proc/self/fd/" + std::to_string(descriptor)).c_str(),
                                          AT_FDCWD, utf8Path.c_str(), AT_SYMLINK_FOLLOW) == 0;
    if (!inPlace && !NameTemporary(descriptor, utf8Path, temporary, failure)) {
      step = text::TemporaryNotCreated;
    }
  }
  if (step.empty() && !inPlace && ::rename(temporary.c_str(), utf8Path.c_str()) != 0) {
    failure = errno;
    step = text::RenameFailed;
  }
  // Its data is on the disk already (fsync above).
  if (unnamed) {
    ::close(descriptor);
    state.descriptor = -1;
  }
  if (!step.empty()) {
    if (inPlace) ::unlink(utf8Path.c_str());
    error = Reason(step, failure);
    return false;  // the destructor removes a named temporary file
  }
  temporary.clear();
  state.failed = false;
  // The rename lasts through a power cut only once the directory is on the
  // disk too. OUT is in place now whatever this gives.
  const int directory = ::open(DirectoryOf(utf8Path).c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (directory >= 0) {
    ::fsync(directory);
    ::close(directory);
  }
  return true;
}

bool ReplaceFileContents(const std::string& utf8Path, std::string_view contents, std::string& error) {
  FileReplacement replacement;
  return replacement.Open(utf8Path, error) && replacement.Write(contents, error) && replacement.Commit(error);
}

}  // namespace pelvorn
