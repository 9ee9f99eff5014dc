#include "DisplayLossGuard.h"

#include "DisplayProbe.h"
#include "common/Text.h"
#include "common/Texts.h"
#include "platform/posix/FileDescriptor.h"

#include <signal.h>
#include <unistd.h>

#include <algorithm>
#include <array>
#include <atomic>
#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace pelvorn {
namespace {

constexpr std::array<int, 5> CrashSignals = {SIGSEGV, SIGBUS, SIGABRT, SIGFPE, SIGILL};

// How long a crash or an exit waits for the server's side of the probe to
// close: a server that is being killed closes its clients one after another.
constexpr int GoneWaitMilliseconds = 500;

std::atomic<int> watchedSocket{-1};
std::array<struct sigaction, CrashSignals.size()> previousActions{};
std::array<char, 256> message{};
std::size_t messageLength = 0;

void WriteMessage() { WriteAll(STDERR_FILENO, std::string_view(message.data(), messageLength)); }

void OnCrash(int signal) {
  const int socket = watchedSocket.load();
  if (socket >= 0 && ServerGone(socket, GoneWaitMilliseconds)) {
    WriteMessage();
    _exit(1);
  }
  // Not ours to explain: the signal's own course, as if never caught.
  for (std::size_t i = 0; i < CrashSignals.size(); ++i) {
    if (CrashSignals[i] == signal) sigaction(signal, &previousActions[i], nullptr);
  }
  raise(signal);
}

// Qt ends its event loop with exit(1) once its connection to the server
// broke; the destructors that exit() would run then may crash in turn.
void OnExit() {
  const int socket = watchedSocket.load();
  if (socket < 0 || !ServerGone(socket, GoneWaitMilliseconds)) return;
  std::fflush(stdout);
  WriteMessage();
  _exit(1);
}

}  // namespace

DisplayLossGuard::DisplayLossGuard(const DisplayProbe& probe) {
  if (probe.socket() < 0) return;
  const char* display = std::getenv("DISPLAY");
  const std::string line = Fill(text::ErrorLine, {Fill(text::DisplayLost, {display != nullptr ? display : ""})});
  messageLength = std::min(line.size(), message.size() - 1);
  std::memcpy(message.data(), line.data(), messageLength);

  static const bool exitHookInstalled = std::atexit(OnExit) == 0;
  static_cast<void>(exitHookInstalled);

  struct sigaction action {};
  action.sa_handler = OnCrash;
  sigemptyset(&action.sa_mask);
  for (std::size_t i = 0; i < CrashSignals.size(); ++i) {
    sigaction(CrashSignals[i], &action, &previousActions[i]);
  }
  watchedSocket.store(probe.socket());
}

DisplayLossGuard::~DisplayLossGuard() {
  if (watchedSocket.exchange(-1) < 0) return;
  for (std::size_t i = 0; i < CrashSignals.size(); ++i) {
    sigaction(CrashSignals[i], &previousActions[i], nullptr);
  }
}

}  // namespace pelvorn
