#pragma once

// Processes the rotator client talks to in the tests: the real rotctld
// (Hamlib's dummy rotator) and rotator_stub, both on 127.0.0.1 only.

#include <chrono>
#include <string>
#include <vector>

#include <sys/types.h>

namespace pelvorn::rotator::testing {

// A loopback port that nothing listens on.
int FreePort();

// A child process, killed (SIGKILL) and reaped when this goes.
class Peer {
public:
  Peer() = default;
  Peer(Peer&& other) noexcept;
  ~Peer();
  int port() const { return port_; }
  void pause();   // SIGSTOP: the kernel still accepts, nobody answers
  void kill();    // SIGKILL and reap

protected:
  pid_t pid_ = -1;
  int port_ = 0;
};

// rotctld -m 1 -T 127.0.0.1 -t <free port> -C <config> (config may be
// empty); ready to accept when constructed. Throws when rotctld is missing.
class Rotctld : public Peer {
public:
  explicit Rotctld(const std::string& config = {});
};

// rotator_stub serve in `mode`, logging the lines it receives.
class Stub : public Peer {
public:
  explicit Stub(const std::string& mode);
  ~Stub();
  // The lines received so far.
  std::vector<std::string> received() const;

private:
  std::string directory_;
};

}  // namespace pelvorn::rotator::testing
