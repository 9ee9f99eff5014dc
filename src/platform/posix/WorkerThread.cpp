#include "common/WorkerThread.h"

#include <system_error>
#include <thread>

namespace pelvorn {

struct WorkerThread::Thread {
  std::thread thread;
};

WorkerThread::WorkerThread() = default;

WorkerThread::~WorkerThread() { join(); }

bool WorkerThread::start(std::function<void()> run) {
  join();
  try {
    thread_ = std::make_unique<Thread>(Thread{std::thread(std::move(run))});
  } catch (const std::system_error&) {
    return false;
  }
  return true;
}

void WorkerThread::join() {
  if (thread_) thread_->thread.join();
  thread_.reset();
}

}  // namespace pelvorn
