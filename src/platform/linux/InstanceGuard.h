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
  // Without a usable private directory no copy can be seen: says so on
  // standard error and returns false. Asked again, returns the first answer.
  bool previousCopyRunning();

  // Keeps this copy's lock and answer across an exec of another program of
  // ours: the lock file stays open, and the new program's guard finds it and
  // the answer in the environment (PELVORN_GUARD) instead of asking again.
  void passToExec();

private:
  bool adoptPassedLock(const std::string& directory);

  std::string directory_;
  int lockFd_ = -1;
  int answer_ = -1;  // -1 not asked yet, else 0 or 1
};

// The places a private directory may be found or made in, in order.
struct PrivatePlaces {
  std::string runtime;    // $XDG_RUNTIME_DIR; empty when unset
  std::string session;    // /run/user/<uid>, made by the login manager
  std::string home;       // $HOME; empty when unset
  std::string temporary;  // $TMPDIR, else /tmp
  std::string host;       // this machine's name (a home may be shared)
};

// Returns the places of this process: its environment, uid and host name.
PrivatePlaces PrivatePlacesOfThisProcess();

// Returns the first of these that is a directory owned by this user and
// closed to others (mode 0700, no symbolic link):
//   1. places.runtime, 2. places.session,
//   3. <home>/.cache/pelvorn-<host>, made when missing, where the home and
//      .cache are this user's (or root's) and writable by nobody else,
//   4. <temporary>/pelvorn-<uid>, made when missing.
// Nobody else can make or replace 1 to 3; another user can occupy 4 in a
// shared /tmp, which is why it comes last. Returns an empty string when no
// private place exists or can be made.
std::string PrivateDirectory(const PrivatePlaces& places);

// Returns PrivateDirectory(PrivatePlacesOfThisProcess()).
std::string PrivateRuntimeDirectory();

}  // namespace pelvorn
