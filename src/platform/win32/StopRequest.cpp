#include "common/StopRequest.h"
#include "platform/win32/ConsoleControl.h"

namespace pelvorn {
namespace {

std::atomic<bool> stopRequested{false};

}  // namespace

BOOL WINAPI win32::OnConsoleControl(DWORD event) {
  stopRequested = true;
  if (event == CTRL_CLOSE_EVENT || event == CTRL_LOGOFF_EVENT || event == CTRL_SHUTDOWN_EVENT) {
    Sleep(INFINITE);
  }
  return TRUE;
}

const std::atomic<bool>& CatchStopRequests() {
  stopRequested = false;
  SetConsoleCtrlHandler(&win32::OnConsoleControl, TRUE);
  return stopRequested;
}

WriteOutcome WriteUnlessStopped(std::FILE* stream, std::string_view text) {
  if ((text.empty() || std::fwrite(text.data(), 1, text.size(), stream) == text.size()) && std::fflush(stream) == 0) {
    return WriteOutcome::Written;
  }
  return stopRequested ? WriteOutcome::Stopped : WriteOutcome::Failed;
}

}  // namespace pelvorn
