#pragma once

#include "Rotator.h"

#include <atomic>
#include <functional>
#include <string>
#ifndef _WIN32
#include <thread>
#endif

namespace pelvorn::rotator {

// Turns the antenna for the window on a thread of its own, so that the
// window never waits for the network. One command at a time: a new one
// cancels the one still running. The events are called ON THE WORKER
// THREAD (std::thread, or a Win32 thread on Windows); a front end forwards them to its user-interface thread.
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

  // Whether a command is still running.
  bool busy() const { return running_.load(); }

private:
  void stop();
  void run(double direction);
#ifdef _WIN32
  static unsigned long __stdcall RunWorker(void* worker);
#endif

  std::string addressText_;
  Options options_;
  Events events_;
  std::atomic<bool> cancel_{false};
  std::atomic<bool> running_{false};
  double direction_ = 0.0;
#ifdef _WIN32
  void* thread_ = nullptr;  // a HANDLE: MinGW's win32 thread model has no std::thread
#else
  std::thread thread_;
#endif
};

}  // namespace pelvorn::rotator
