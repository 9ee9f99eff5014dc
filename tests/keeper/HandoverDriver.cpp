// Runs the clipboard handover the way a hidden run does, for the keeper test.
//
//   keeper_handover_driver --keeper PATH [--timeout-ms N] LINE
//       hands LINE to the keeper; status 0 when it owns CLIPBOARD, else 1
//   keeper_handover_driver --keeper PATH --repeat N LINE
//       N handovers in a row; prints the median and the slowest time from
//       starting the keeper to its "ok", in microseconds
//   keeper_handover_driver --find
//       prints where the program would look for the keeper

#include "platform/ClipboardHandover.h"

#include <sys/wait.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>
#include <vector>

namespace {

int Usage() {
  std::fputs("usage: keeper_handover_driver --keeper PATH [--timeout-ms N] [--repeat N] LINE\n"
             "       keeper_handover_driver --find\n",
             stderr);
  return 2;
}

int Measure(const std::string& keeper, std::string_view line, int runs, std::chrono::milliseconds timeout) {
  using Clock = std::chrono::steady_clock;
  std::vector<long long> micros;
  for (int run = 0; run < runs; ++run) {
    const auto start = Clock::now();
    if (!pelvorn::HandOverToKeeper(keeper, line, timeout)) return 1;
    micros.push_back(std::chrono::duration_cast<std::chrono::microseconds>(Clock::now() - start).count());
    // The keeper before this one has ended now; a hidden run would have
    // ended too, and the system would have reaped both.
    while (waitpid(-1, nullptr, WNOHANG) > 0) {
    }
  }
  std::sort(micros.begin(), micros.end());
  std::printf("runs %d median_us %lld max_us %lld\n", runs, micros[micros.size() / 2], micros.back());
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  std::string keeper;
  std::chrono::milliseconds timeout{5000};
  int runs = 0;
  int i = 1;
  for (; i < argc; ++i) {
    const std::string_view option = argv[i];
    if (option == "--find") {
      std::printf("%s\n", pelvorn::FindClipboardKeeper().c_str());
      return 0;
    }
    if (i + 1 >= argc) break;
    if (option == "--keeper") {
      keeper = argv[++i];
    } else if (option == "--timeout-ms") {
      timeout = std::chrono::milliseconds(std::atoi(argv[++i]));
    } else if (option == "--repeat") {
      runs = std::atoi(argv[++i]);
    } else {
      break;
    }
  }
  if (i + 1 != argc || keeper.empty()) return Usage();
  const std::string_view line = argv[i];
  if (runs > 0) return Measure(keeper, line, runs, timeout);
  return pelvorn::HandOverToKeeper(keeper, line, timeout) ? 0 : 1;
}
