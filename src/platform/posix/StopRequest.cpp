#include "common/StopRequest.h"

#include <poll.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <climits>
#include <csignal>

namespace pelvorn {
namespace {

std::atomic<bool> stopRequested{false};

extern "C" void OnStopSignal(int) { stopRequested = true; }

// How often a wait for the stream looks at the flag.
constexpr int StopCheckMilliseconds = 100;

}  // namespace

const std::atomic<bool>& CatchStopRequests() {
  stopRequested = false;
  // Without SA_RESTART: a write that waits for a full pipe is interrupted.
  struct sigaction action{};
  action.sa_handler = &OnStopSignal;
  sigemptyset(&action.sa_mask);
  for (const int signal : {SIGINT, SIGTERM, SIGHUP}) sigaction(signal, &action, nullptr);
  return stopRequested;
}

WriteOutcome WriteUnlessStopped(std::FILE* stream, std::string_view text) {
  if (std::fflush(stream) != 0) return stopRequested ? WriteOutcome::Stopped : WriteOutcome::Failed;
  const int descriptor = fileno(stream);
  while (!text.empty()) {
    pollfd entry{descriptor, POLLOUT, 0};
    const int ready = poll(&entry, 1, stopRequested ? 0 : StopCheckMilliseconds);
    if (ready < 0 && errno != EINTR) return WriteOutcome::Failed;
    if (ready <= 0) {
      if (stopRequested) return WriteOutcome::Stopped;
      continue;
    }
    // A pipe that has room for anything takes PIPE_BUF bytes without waiting.
    const ssize_t written = write(descriptor, text.data(), std::min<std::size_t>(text.size(), PIPE_BUF));
    if (written < 0 && errno != EINTR && errno != EAGAIN) return WriteOutcome::Failed;
    if (written > 0) text.remove_prefix(static_cast<std::size_t>(written));
  }
  return WriteOutcome::Written;
}

}  // namespace pelvorn
