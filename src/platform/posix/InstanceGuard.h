#pragma once

#include <string>

namespace pelvorn {

// Tells whether another copy of the program runs for this user, and makes
// this copy count as running until it ends.
//
// Every running copy holds a shared flock(2) on a lock file in the user's
// private runtime directory; a copy that can take the lock exclusively is
// alone. Probing and joining happen under a second, exclusive "gate" lock,
// so two copies starting at the same moment cannot both find themselves
// alone. The kernel drops the locks of a process that dies, also by kill -9,
// and the files are opened close-on-exec, so no helper process inherits them.
class InstanceGuard {
public:
  // Uses `directory` for the lock files; empty means the user's private
  // runtime directory (see PrivateRuntimeDirectory).
  explicit InstanceGuard(std::string directory = {});
  ~InstanceGuard();
  InstanceGuard(const InstanceGuard&) = delete;
  InstanceGuard& operator=(const InstanceGuard&) = delete;

  // Returns whether another copy was running, and joins the running copies.
  // Without a usable private directory no copy can be seen: returns false.
  bool previousCopyRunning();

private:
  std::string directory_;
  int lockFd_ = -1;
};

// Returns $XDG_RUNTIME_DIR when it is a directory owned by this user and
// closed to others; otherwise /tmp/pelvorn-<uid>, created with mode 0700 and
// checked the same way. Returns an empty string when neither is safe.
std::string PrivateRuntimeDirectory();

}  // namespace pelvorn
