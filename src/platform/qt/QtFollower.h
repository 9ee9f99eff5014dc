#pragma once

#include "follow/Follower.h"
#include "follow/UdpListener.h"

#include <QObject>

class QSocketNotifier;

namespace pelvorn {

class QtWindow;

// The window following WSJT-X (--follow --window): each new pair of grids
// goes into the two locator boxes, followed by the window's Calculate.
class QtFollower final : public QObject {
  Q_OBJECT

public:
  QtFollower(QtWindow& window, follow::FollowOptions options, const NumberLocale& locale);

  // Starts listening on `address`. Returns the German reason (UTF-8) when
  // that fails, else the empty text.
  std::string listen(const follow::ListenAddress& address);

private:
  void readDatagrams();

  QtWindow& window_;
  follow::Follower follower_;
  follow::UdpListener listener_;
  QSocketNotifier* notifier_ = nullptr;
};

}  // namespace pelvorn
