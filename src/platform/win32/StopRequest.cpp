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

}  // namespace pelvorn
