#include "common/StopRequest.h"

#include <windows.h>

namespace pelvorn {
namespace {

std::atomic<bool> stopRequested{false};

BOOL WINAPI OnConsoleControl(DWORD) {
  stopRequested = true;
  return TRUE;
}

}  // namespace

const std::atomic<bool>& CatchStopRequests() {
  stopRequested = false;
  SetConsoleCtrlHandler(&OnConsoleControl, TRUE);
  return stopRequested;
}

WriteOutcome WriteUnlessStopped(std::FILE* stream, std::string_view text) {
  if ((text.empty() || std::fwrite(text.data(), 1, text.size(), stream) == text.size()) && std::fflush(stream) == 0) {
    return WriteOutcome::Written;
  }
  return stopRequested ? WriteOutcome::Stopped : WriteOutcome::Failed;
}

}  // namespace pelvorn
