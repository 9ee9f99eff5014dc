#pragma once

#include <functional>
#include <memory>

namespace pelvorn {

// A thread that runs one function: a std::thread, or a Win32 thread on
// Windows (MinGW's win32 thread model has no std::thread).
class WorkerThread {
public:
  WorkerThread();
  ~WorkerThread();  // joins
  WorkerThread(const WorkerThread&) = delete;
  WorkerThread& operator=(const WorkerThread&) = delete;

  // Waits for the function before, then runs `run` on a new thread. False
  // when the system starts none.
  bool start(std::function<void()> run);
  // Waits until the function has returned; at once when none runs.
  void join();

private:
  struct Thread;
  std::unique_ptr<Thread> thread_;
};

}  // namespace pelvorn
