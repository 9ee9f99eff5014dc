// A stand-in for rotctld on 127.0.0.1, for the tests of the rotator client:
//
//   rotator_stub free-port
//       prints a loopback TCP port that nothing listens on (just now).
//   rotator_stub serve PORT MODE [LOG]
//       listens on 127.0.0.1:PORT and serves one connection after the other
//       until killed, appending every line it receives to LOG. MODE:
//         silent    accepts and never answers
//         answer    answers like a 0..360 rotator standing at 0
//         reject    the same, but refuses "P" with "RPRT -5"
//         nolimits  answers "\dump_state" without min_az/max_az
//         hangup    closes the connection after the first line
//         flood     answers "\dump_state" with 100,000 lines of min_az
//         trickle   answers one line every 0.4 s

#include <arpa/inet.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <string>

namespace {

std::string Answer(const std::string& mode, const std::string& line) {
  if (mode == "silent") return {};
  if (line == "\\dump_state") {
    std::string state = "1\n1\n";
    for (int i = mode == "nolimits" ? 0 : mode == "flood" ? 100000 : 1; i > 0; --i) state += "min_az=0.000000\n";
    if (mode != "nolimits") state += "max_az=360.000000\n";
    return state + "min_el=0.000000\nmax_el=90.000000\nsouth_zero=0\nrot_type=AzEl\ndone\n";
  }
  if (line == "p") return "0.00\n0.00\n";
  if (line.rfind("P ", 0) == 0) return mode == "reject" ? "RPRT -5\n" : "RPRT 0\n";
  return "RPRT -4\n";
}

void Serve(int connection, const std::string& mode, const char* log) {
  std::string pending;
  char chunk[512];
  for (ssize_t got; (got = recv(connection, chunk, sizeof chunk, 0)) > 0;) {
    pending.append(chunk, static_cast<std::size_t>(got));
    for (auto end = pending.find('\n'); end != std::string::npos; end = pending.find('\n')) {
      const std::string line = pending.substr(0, end);
      pending.erase(0, end + 1);
      if (log != nullptr) std::ofstream(log, std::ios::app) << line << '\n';
      if (mode == "hangup") return;
      const std::string answer = Answer(mode, line);
      for (std::size_t at = 0; at < answer.size();) {
        const std::size_t next = mode == "trickle" ? answer.find('\n', at) + 1 : answer.size();
        if (mode == "trickle") usleep(400000);
        if (send(connection, answer.data() + at, next - at, MSG_NOSIGNAL) < 0) return;
        at = next;
      }
    }
  }
}

}  // namespace

int main(int argc, char** argv) {
  const std::string command = argc > 1 ? argv[1] : "";
  if (!(command == "free-port" && argc == 2) && !(command == "serve" && argc >= 4)) {
    std::fputs("usage: rotator_stub free-port | serve PORT MODE [LOG]\n", stderr);
    return 2;
  }
  // A listening socket on 127.0.0.1:PORT, or on a port of the kernel's choice.
  const int listener = socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
  sockaddr_in address{};
  address.sin_family = AF_INET;
  address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
  address.sin_port = htons(static_cast<std::uint16_t>(command == "serve" ? std::atoi(argv[2]) : 0));
  socklen_t size = sizeof address;
  if (listener < 0 || bind(listener, reinterpret_cast<sockaddr*>(&address), size) != 0 || listen(listener, 8) != 0 ||
      getsockname(listener, reinterpret_cast<sockaddr*>(&address), &size) != 0) {
    std::perror("rotator_stub: listen");
    return 2;
  }
  if (command == "free-port") {
    close(listener);
    std::printf("%d\n", ntohs(address.sin_port));
    return 0;
  }
  for (;;) {
    const int connection = accept4(listener, nullptr, nullptr, SOCK_CLOEXEC);
    if (connection < 0) continue;
    Serve(connection, argv[3], argc > 4 ? argv[4] : nullptr);
    close(connection);
  }
}
