#pragma once

#include "common/WorkerThread.h"
#include "follow/Follower.h"
#include "follow/SourceAddress.h"

#include <windows.h>

#include <atomic>
#include <cstdio>
#include <deque>
#include <memory>
#include <mutex>
#include <string>

namespace pelvorn {
class PelvornForm;
}

namespace pelvorn::win32 {

class Win32Window;

// Posted to the window when a sighting waits in the follower's queue.
inline constexpr UINT FollowSightingMessage = WM_APP + 18;

// The window following an operating program (--follow --window): each new
// pair of grids goes into the two locator boxes, followed by the form's
// Calculate. The source is read on a thread of its own, which queues the
// sightings and posts FollowSightingMessage; the window's thread takes them.
class Win32Follower final {
public:
  // `err` (may be null) takes the source's notices.
  Win32Follower(Win32Window& window, PelvornForm& form, follow::FollowOptions options, const NumberLocale& locale,
                std::FILE* err);
  // Stops the thread; sightings not yet shown are dropped.
  ~Win32Follower();
  Win32Follower(const Win32Follower&) = delete;
  Win32Follower& operator=(const Win32Follower&) = delete;

  // Opens the source `address` names and starts following it. Returns the
  // German reason (UTF-8) when it cannot be opened, else the empty text.
  std::string start(const follow::SourceAddress& address);

  // FollowSightingMessage, on the window's thread: shows the queued sightings.
  void showSightings();

private:
  void queue(const follow::Sighting& sighting);
  void printError(const std::string& lines);

  Win32Window& window_;
  const HWND handle_;  // read by the thread, unlike the window's own
  PelvornForm& form_;
  std::FILE* err_;
  follow::Follower follower_;
  std::unique_ptr<follow::StationSource> source_;
  std::mutex queueLock_;
  std::deque<follow::Sighting> queue_;
  std::atomic<bool> stop_{false};
  WorkerThread thread_;  // last: joined before the rest goes
};

}  // namespace pelvorn::win32
