#include "Peers.h"

#include <arpa/inet.h>
#include <netinet/in.h>
#include <signal.h>
#include <spawn.h>
#include <sys/socket.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <stdexcept>
#include <thread>

extern char** environ;

namespace pelvorn::rotator::testing {
namespace {

using namespace std::chrono_literals;

pid_t Spawn(const std::vector<std::string>& arguments) {
  std::vector<char*> argv;
  for (const std::string& argument : arguments) argv.push_back(const_cast<char*>(argument.c_str()));
  argv.push_back(nullptr);
  pid_t pid = -1;
  if (posix_spawnp(&pid, argv[0], nullptr, nullptr, argv.data(), environ) != 0) {
    throw std::runtime_error("cannot start " + arguments[0]);
  }
  return pid;
}

// Whether something listens on 127.0.0.1:`port`, as the kernel's table
// says. No probing connection: rotctld 4.5 may reset the next connection
// when one closes right after connecting.
bool Listening(int port) {
  char wanted[32];
  std::snprintf(wanted, sizeof wanted, "0100007F:%04X 00000000:0000 0A", port);
  std::ifstream table("/proc/net/tcp");
  for (std::string line; std::getline(table, line);) {
    if (line.find(wanted) != std::string::npos) return true;
  }
  return false;
}

}  // namespace

int FreePort() {
  const int s = socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
  sockaddr_in address{};
  address.sin_family = AF_INET;
  address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
  socklen_t size = sizeof address;
  bind(s, reinterpret_cast<sockaddr*>(&address), size);
  getsockname(s, reinterpret_cast<sockaddr*>(&address), &size);
  close(s);
  return ntohs(address.sin_port);
}

Peer::Peer(Peer&& other) noexcept : pid_(other.pid_), port_(other.port_) { other.pid_ = -1; }

Peer::~Peer() { kill(); }

void Peer::pause() {
  if (pid_ > 0) ::kill(pid_, SIGSTOP);
}

void Peer::kill() {
  if (pid_ <= 0) return;
  ::kill(pid_, SIGKILL);
  waitpid(pid_, nullptr, 0);
  pid_ = -1;
}

// Tests run side by side: another one may take the free port first, and
// then this daemon ends at once. It gets a new port then.
Rotctld::Rotctld(const std::string& config) {
  for (int attempt = 0; attempt < 5; ++attempt) {
    port_ = FreePort();
    std::vector<std::string> arguments{"rotctld", "-m", "1", "-T", "127.0.0.1", "-t", std::to_string(port_)};
    if (!config.empty()) arguments.insert(arguments.end(), {"-C", config});
    pid_ = Spawn(arguments);
    bool ended = false;
    for (int i = 0; i < 100 && !ended && !Listening(port_); ++i) {
      std::this_thread::sleep_for(50ms);
      ended = waitpid(pid_, nullptr, WNOHANG) == pid_;
    }
    if (!ended && waitpid(pid_, nullptr, WNOHANG) == 0 && Listening(port_)) return;
    if (!ended) kill();
    pid_ = -1;
  }
  throw std::runtime_error("rotctld does not start");
}

Stub::Stub(const std::string& mode) {
  char pattern[] = "/tmp/rotator-stub-XXXXXX";
  directory_ = mkdtemp(pattern);
  const std::string portFile = directory_ + "/port";
  pid_ = Spawn({PELVORN_ROTATOR_STUB, "serve", portFile, mode, directory_ + "/log"});
  for (int i = 0; i < 100 && !std::filesystem::exists(portFile); ++i) std::this_thread::sleep_for(20ms);
  std::ifstream(portFile) >> port_;
  if (port_ == 0) throw std::runtime_error("rotator_stub did not start");
}

Stub::~Stub() {
  kill();
  std::filesystem::remove_all(directory_);
}

std::vector<std::string> Stub::received() const {
  std::vector<std::string> lines;
  std::ifstream log(directory_ + "/log");
  for (std::string line; std::getline(log, line);) lines.push_back(line);
  return lines;
}

}  // namespace pelvorn::rotator::testing
