// A stand-in for rotctld on 127.0.0.1, for the tests of the rotator client:
//
//   rotator_stub free-port
//       prints a loopback TCP port that nothing listens on (just now).
//   rotator_stub serve PORTFILE MODE [LOG]
//       listens on a free loopback port, writes it to PORTFILE once it
//       accepts, and serves one connection after the other until killed,
//       appending every line it receives to LOG. MODE:
//         silent    accepts and never answers
//         answer    answers like a 0..360 rotator standing at 0
//         reject    the same, but refuses "P" with "RPRT -5"
//         nolimits  answers "\dump_state" without min_az/max_az
//         hangup    closes the connection after the first line
//         flood     answers "\dump_state" with 100,000 lines of min_az
//         trickle   answers "\dump_state" one line every 0.4 s, 4 s long
//       (the last two then answer like "answer")

#include <arpa/inet.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <string>

namespace {

int Fail(const char* what) {
  std::perror(what);
  return 2;
}

// A listening socket on 127.0.0.1 with a port of the kernel's choice.
int Listen(int& port) {
  const int s = socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
  sockaddr_in address{};
  address.sin_family = AF_INET;
  address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
  socklen_t size = sizeof address;
  if (s < 0 || bind(s, reinterpret_cast<sockaddr*>(&address), size) != 0 || listen(s, 8) != 0 ||
      getsockname(s, reinterpret_cast<sockaddr*>(&address), &size) != 0) {
    return -1;
  }
  port = ntohs(address.sin_port);
  return s;
}

std::string Answer(const std::string& mode, const std::string& line) {
  if (mode == "silent") return {};
  if (line == "\\dump_state") {
    if (mode == "nolimits") return "1\n1\nrot_type=AzEl\ndone\n";
    return "1\n1\nmin_az=0.000000\nmax_az=360.000000\nmin_el=0.000000\nmax_el=90.000000\n"
           "south_zero=0\nrot_type=AzEl\ndone\n";
  }
  if (line == "p") return "0.00\n0.00\n";
  if (line.rfind("P ", 0) == 0) return mode == "reject" ? "RPRT -5\n" : "RPRT 0\n";
  return "RPRT -4\n";
}

void Serve(int connection, const std::string& mode, const char* log) {
  std::string pending;
  char chunk[512];
  for (;;) {
    const ssize_t got = recv(connection, chunk, sizeof chunk, 0);
    if (got <= 0) return;
    pending.append(chunk, static_cast<std::size_t>(got));
    for (auto end = pending.find('\n'); end != std::string::npos; end = pending.find('\n')) {
      const std::string line = pending.substr(0, end);
      pending.erase(0, end + 1);
      if (log != nullptr) std::ofstream(log, std::ios::app) << line << '\n';
      if (mode == "hangup") return;
      if (line == "\\dump_state" && (mode == "flood" || mode == "trickle")) {
        const bool flood = mode == "flood";
        std::string lines = "1\n1\n";
        for (int i = 0; i < (flood ? 100000 : 8); ++i) lines += "min_az=0.000000\n";
        lines += "max_az=360.000000\ndone\n";
        for (std::size_t at = 0; at < lines.size();) {
          const std::size_t next = flood ? lines.size() : lines.find('\n', at) + 1;
          if (!flood) usleep(400000);  // a peer that trickles: one line every 0.4 s
          if (send(connection, lines.data() + at, next - at, MSG_NOSIGNAL) < 0) return;
          at = next;
        }
        continue;
      }
      const std::string answer = Answer(mode, line);
      if (!answer.empty() && send(connection, answer.data(), answer.size(), MSG_NOSIGNAL) < 0) return;
    }
  }
}

}  // namespace

int main(int argc, char** argv) {
  const std::string command = argc > 1 ? argv[1] : "";
  int port = 0;
  if (command == "free-port" && argc == 2) {
    const int s = Listen(port);
    if (s < 0) return Fail("free-port");
    close(s);
    std::printf("%d\n", port);
    return 0;
  }
  if (command != "serve" || argc < 4) {
    std::fputs("usage: rotator_stub free-port | serve PORTFILE MODE [LOG]\n", stderr);
    return 2;
  }
  const int listener = Listen(port);
  if (listener < 0) return Fail("listen");
  const std::string portFile = argv[2];
  std::ofstream(portFile + ".new") << port << '\n';
  if (std::rename((portFile + ".new").c_str(), portFile.c_str()) != 0) return Fail("rename");
  for (;;) {
    const int connection = accept4(listener, nullptr, nullptr, SOCK_CLOEXEC);
    if (connection < 0) continue;
    Serve(connection, argv[3], argc > 4 ? argv[4] : nullptr);
    close(connection);
  }
}
