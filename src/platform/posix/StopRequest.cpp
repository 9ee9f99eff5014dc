#include "common/StopRequest.h"

#include <csignal>

namespace pelvorn {
namespace {

std::atomic<bool> stopRequested{false};

extern "C" void OnStopSignal(int) { stopRequested = true; }

}  // namespace

const std::atomic<bool>& CatchStopRequests() {
  stopRequested = false;
  struct sigaction action{};
  action.sa_handler = &OnStopSignal;
  sigemptyset(&action.sa_mask);
  sigaction(SIGINT, &action, nullptr);
  sigaction(SIGTERM, &action, nullptr);
  return stopRequested;
}

}  // namespace pelvorn
