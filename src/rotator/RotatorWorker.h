#pragma once

#include "Rotator.h"
#include "common/WorkerThread.h"

#include <atomic>
#include <functional>
#include <string>

namespace pelvorn::rotator {

// Turns the antenna for the window on a thread of its own, so that the
// window never waits for the network. One command at a time: a new one
// cancels the one still running. The events are called ON THE WORKER
// THREAD; a front end forwards them to its user-interface thread.
class Worker {
public:
  struct Events {
    std::function<void(double azimuth)> commanded;       // the daemon took this azimuth
    std::function<void(double azimuth)> position;        // a reading while it turns
    std::function<void(const std::string& message)> failed;  // German, UTF-8
  };

  // `addressText` as configured (checked on each command).
  Worker(std::string addressText, Options options, Events events);
  // Cancels a running command and waits for its thread (a tenth of a second).
  ~Worker();
  Worker(const Worker&) = delete;
  Worker& operator=(const Worker&) = delete;

  // Starts turning the antenna to `direction` and following it until it
  // stands within half a degree of it.
  void turnTo(double direction);

private:
  void stop();
  void run(double direction);

  std::string addressText_;
  Options options_;
  Events events_;
  std::atomic<bool> cancel_{false};
  WorkerThread thread_;
};

}  // namespace pelvorn::rotator
