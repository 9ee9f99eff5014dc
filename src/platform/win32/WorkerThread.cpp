#include "common/WorkerThread.h"

#include <windows.h>

namespace pelvorn {
namespace {

DWORD WINAPI Run(void* run) {
  (*static_cast<std::function<void()>*>(run))();
  return 0;
}

}  // namespace

struct WorkerThread::Thread {
  std::function<void()> run;
  HANDLE handle = nullptr;
};

WorkerThread::WorkerThread() = default;

WorkerThread::~WorkerThread() { join(); }

bool WorkerThread::start(std::function<void()> run) {
  join();
  auto thread = std::make_unique<Thread>();
  thread->run = std::move(run);
  thread->handle = CreateThread(nullptr, 0, &Run, &thread->run, 0, nullptr);
  if (thread->handle == nullptr) return false;
  thread_ = std::move(thread);
  return true;
}

void WorkerThread::join() {
  if (!thread_) return;
  WaitForSingleObject(thread_->handle, INFINITE);
  CloseHandle(thread_->handle);
  thread_.reset();
}

}  // namespace pelvorn
