#pragma once

#include "Rotator.h"
#include "common/WorkerThread.h"

#include <atomic>
#include <functional>
#include <string>

namespace pelvorn::rotator {

// Turns the antenna for the window and the follower on a thread of its
// own, so that neither waits for the network. One command at a time: a new
// one cancels the one still running. The events are called ON THE WORKER
// THREAD; a front end forwards them to its user-interface thread.
class Worker {
public:
  struct Events {
    std::function<void(double azimuth)> commanded;       // the rotator took this azimuth
    std::function<void(double azimuth)> position;        // a reading while it turns
    std::function<void(double standing, double target)> withinDeadband;  // nothing sent
    std::function<void()> stopped;                       // the rotator took the stop
    std::function<void()> parking;                       // it goes to its own park position
    std::function<void()> finished;                      // the command is over (not after a failure)
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
  // Cancels the command in flight and stops the antenna.
  void stop();
  // Parks the antenna (following it when it goes to a configured position).
  void park();

private:
  enum class Job { Turn, Stop, Park };
  void cancel();
  void start(Job job, double direction);
  void run(Job job, double direction);

  std::string addressText_;
  Options options_;
  Events events_;
  std::atomic<bool> cancel_{false};
  WorkerThread thread_;
};

}  // namespace pelvorn::rotator
