#pragma once

#include <chrono>

// Whether the X server named by DISPLAY answers, asked before the toolkit
// starts: Qt aborts when it cannot connect, and a stale DISPLAY (after ssh -X,
// in tmux, after the server died) is common for unattended runs.

struct xcb_connection_t;

namespace pelvorn {

// One connection to the X server named by $DISPLAY, held while the object
// lives. Connecting takes well under a millisecond for a local server; a
// server that accepts but does not answer (stopped, or a remote host that
// swallows packets) counts as absent after `patience`.
class DisplayProbe {
public:
  explicit DisplayProbe(std::chrono::milliseconds patience = std::chrono::milliseconds(5000));
  ~DisplayProbe();
  DisplayProbe(const DisplayProbe&) = delete;
  DisplayProbe& operator=(const DisplayProbe&) = delete;

  // Returns whether the server answered: DISPLAY set, the connection made
  // and the server's set-up reply read.
  bool answers() const { return connection_ != nullptr; }

  // Returns the socket of the connection, or -1 when the server did not
  // answer. While the object lives the socket stays open, so that
  // ServerGone can tell later whether the server has gone away.
  int socket() const { return socket_; }

private:
  xcb_connection_t* connection_ = nullptr;
  int socket_ = -1;
};

// Returns whether the peer of the connected `socket` has closed it, waiting
// up to `waitMilliseconds` for that to happen. Async-signal-safe (poll only).
bool ServerGone(int socket, int waitMilliseconds);

}  // namespace pelvorn
