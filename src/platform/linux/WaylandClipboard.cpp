#include "WaylandClipboard.h"

#include "platform/linux/ClipboardHandover.h"

#include <fcntl.h>
#include <signal.h>
#include <spawn.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <time.h>
#include <unistd.h>

#include <array>
#include <cerrno>
#include <cstdlib>
#include <string>

extern char** environ;

namespace pelvorn {
namespace {

using Clock = std::chrono::steady_clock;

// The longest line handed over; a command-line argument of Linux may hold
// up to 128 KiB.
constexpr std::size_t LongestLine = 64 * 1024;

bool IsExecutableFile(const std::string& path) {
  struct stat status {};
  return stat(path.c_str(), &status) == 0 && S_ISREG(status.st_mode) && access(path.c_str(), X_OK) == 0;
}

// Returns the path of wl-copy on PATH, or an empty string.
std::string FindWlCopy() {
  const char* path = std::getenv("PATH");
  std::string_view directories = path != nullptr ? path : "/usr/local/bin:/usr/bin:/bin";
  while (!directories.empty()) {
    const std::size_t colon = directories.find(':');
    const std::string_view directory = directories.substr(0, colon);
    directories.remove_prefix(colon == std::string_view::npos ? directories.size() : colon + 1);
    if (directory.empty() || directory.front() != '/') continue;
    std::string candidate(directory);
    candidate += "/wl-copy";
    if (IsExecutableFile(candidate)) return candidate;
  }
  return {};
}

pid_t SpawnWlCopy(const std::string& program, std::string_view line) {
  posix_spawn_file_actions_t actions;
  posix_spawnattr_t attributes;
  posix_spawn_file_actions_init(&actions);
  posix_spawnattr_init(&attributes);
  for (const int fd : {STDIN_FILENO, STDOUT_FILENO, STDERR_FILENO}) {
    posix_spawn_file_actions_addopen(&actions, fd, "/dev/null", fd == STDIN_FILENO ? O_RDONLY : O_WRONLY, 0);
  }
#if defined(__GLIBC__) && (__GLIBC__ > 2 || (__GLIBC__ == 2 && __GLIBC_MINOR__ >= 34))
  posix_spawn_file_actions_addclosefrom_np(&actions, STDERR_FILENO + 1);
#endif
  sigset_t none;
  sigset_t all;
  sigemptyset(&none);
  sigfillset(&all);
  posix_spawnattr_setsigmask(&attributes, &none);
  posix_spawnattr_setsigdefault(&attributes, &all);
  posix_spawnattr_setflags(&attributes, POSIX_SPAWN_SETSID | POSIX_SPAWN_SETSIGMASK | POSIX_SPAWN_SETSIGDEF);

  std::string text(line);
  std::array<char*, 4> arguments = {const_cast<char*>(program.c_str()), const_cast<char*>("--"),
                                    text.data(), nullptr};
  pid_t pid = -1;
  const int error = posix_spawn(&pid, program.c_str(), &actions, &attributes, arguments.data(), environ);
  posix_spawnattr_destroy(&attributes);
  posix_spawn_file_actions_destroy(&actions);
  return error == 0 ? pid : -1;
}

// Waits for `pid` until `deadline`; returns its wait status, or -1 when it
// has not ended by then.
int AwaitEnd(pid_t pid, Clock::time_point deadline) {
  long pauseNs = 200'000;
  for (;;) {
    int status = 0;
    const pid_t ended = waitpid(pid, &status, WNOHANG);
    if (ended == pid) return status;
    if (ended < 0 && errno != EINTR) return -1;
    if (Clock::now() >= deadline) return -1;
    const timespec pause{0, pauseNs};
    nanosleep(&pause, nullptr);
    if (pauseNs < 4'000'000) pauseNs *= 2;
  }
}

}  // namespace

bool WaylandDisplayNamed() {
  const char* display = std::getenv("WAYLAND_DISPLAY");
  return display != nullptr && *display != '\0';
}

bool HandOverToWlCopy(std::string_view utf8Line, std::chrono::milliseconds timeout) {
  const Clock::time_point deadline = Clock::now() + timeout;
  if (!WaylandDisplayNamed() || utf8Line.size() > LongestLine ||
      utf8Line.find('\0') != std::string_view::npos) {
    return false;
  }
  const std::string program = FindWlCopy();
  if (program.empty()) return false;
  const pid_t pid = SpawnWlCopy(program, utf8Line);
  if (pid < 0) return false;
  const int status = AwaitEnd(pid, deadline);
  if (status == -1) {
    kill(-pid, SIGKILL);  // its session: the server it may have forked as well
    kill(pid, SIGKILL);
    while (waitpid(pid, nullptr, 0) < 0 && errno == EINTR) {
    }
    return false;
  }
  return WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

bool HandOverToClipboardHelpers(std::string_view utf8Line, bool x11, std::chrono::milliseconds timeout,
                                Handover* keeperResult) {
  bool kept = WaylandDisplayNamed() && HandOverToWlCopy(utf8Line, timeout);
  Handover result = Handover::NoKeeper;
  if (x11) {
    result = HandOverToKeeper(FindClipboardKeeper(), utf8Line, timeout);
    kept = Published(result) || kept;
  }
  if (keeperResult != nullptr) *keeperResult = result;
  return kept;
}

}  // namespace pelvorn
