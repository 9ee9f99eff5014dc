#pragma once

#include "common/WorkerThread.h"
#include "follow/Follower.h"
#include "follow/SourceAddress.h"

#include <QObject>

#include <atomic>
#include <memory>

namespace pelvorn {

class QtWindow;

// The window following an operating program (--follow --window): each new
// pair of grids goes into the two locator boxes, followed by the window's
// Calculate. The source is read on a thread of its own.
class QtFollower final : public QObject {
  Q_OBJECT

public:
  QtFollower(QtWindow& window, follow::FollowOptions options, const NumberLocale& locale);
  ~QtFollower() override;

  // Opens the source `address` names and starts following it. Returns the
  // German reason (UTF-8) when it cannot be opened, else the empty text.
  std::string start(const follow::SourceAddress& address);

private:
  void show(const follow::Sighting& sighting);

  QtWindow& window_;
  follow::Follower follower_;
  std::unique_ptr<follow::StationSource> source_;
  std::atomic<bool> stop_{false};
  WorkerThread thread_;  // last: joined before the rest goes
};

}  // namespace pelvorn
