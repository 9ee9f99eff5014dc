#include "WaylandClipboard.h"

#include "platform/linux/ClipboardHandover.h"
#include "platform/linux/DetachedSpawn.h"
#include "platform/linux/OwnProgram.h"

#include <sys/wait.h>
#include <time.h>

#include <cerrno>
#include <cstdlib>
#include <string>

namespace pelvorn {
namespace {

using Clock = std::chrono::steady_clock;

// The longest line handed over; a command-line argument of Linux may hold
// up to 128 KiB.
constexpr std::size_t LongestLine = 64 * 1024;

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
  const std::string program = FindOnPath("wl-copy");
  if (program.empty()) return false;
  const pid_t pid = SpawnDetached(program, {"--", std::string(utf8Line)});
  if (pid < 0) return false;
  const int status = AwaitEnd(pid, deadline);
  if (status == -1) {
    EndDetached(pid);  // with the server it may have forked
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
