#include "DisplayProbe.h"

#include <xcb/xcb.h>

#include <poll.h>

#include <cerrno>
#include <system_error>

#include <condition_variable>
#include <cstdlib>
#include <memory>
#include <mutex>
#include <thread>

namespace pelvorn {
namespace {

// The outcome of one connection attempt, shared with the thread that makes
// it: xcb_connect has no timeout of its own.
struct Attempt {
  std::mutex mutex;
  std::condition_variable done;
  bool finished = false;
  bool abandoned = false;
  xcb_connection_t* connection = nullptr;
};

void Connect(const std::shared_ptr<Attempt>& attempt) {
  xcb_connection_t* connection = xcb_connect(nullptr, nullptr);
  if (xcb_connection_has_error(connection) != 0) {
    xcb_disconnect(connection);
    connection = nullptr;
  }
  const std::lock_guard<std::mutex> lock(attempt->mutex);
  if (attempt->abandoned) {
    // Too late: nobody waits for it any more.
    if (connection != nullptr) xcb_disconnect(connection);
    return;
  }
  attempt->connection = connection;
  attempt->finished = true;
  attempt->done.notify_one();
}

}  // namespace

DisplayProbe::DisplayProbe(std::chrono::milliseconds patience) {
  const char* display = std::getenv("DISPLAY");
  if (display == nullptr || *display == '\0') return;

  auto attempt = std::make_shared<Attempt>();
  try {
    std::thread(Connect, attempt).detach();
  } catch (const std::system_error&) {
    Connect(attempt);  // no thread to spare: connect without a time limit
  }
  std::unique_lock<std::mutex> lock(attempt->mutex);
  if (!attempt->done.wait_for(lock, patience, [&] { return attempt->finished; })) {
    attempt->abandoned = true;
    return;
  }
  connection_ = attempt->connection;
  if (connection_ != nullptr) socket_ = xcb_get_file_descriptor(connection_);
}

DisplayProbe::~DisplayProbe() {
  if (connection_ != nullptr) xcb_disconnect(connection_);
}

bool ServerGone(int socket, int waitMilliseconds) {
  if (socket < 0) return false;
  pollfd watched{socket, POLLRDHUP, 0};
  int ready = -1;
  do {
    ready = poll(&watched, 1, waitMilliseconds);
  } while (ready < 0 && errno == EINTR);
  return ready > 0 && (watched.revents & (POLLRDHUP | POLLHUP | POLLERR)) != 0;
}

}  // namespace pelvorn
