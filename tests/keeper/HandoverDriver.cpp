// keeper_handover_driver KEEPER LINE [MILLISECONDS]: hands LINE to the
// clipboard keeper the way a hidden run does (waiting 5000 ms unless told).
// Status 0 once the keeper owns CLIPBOARD, 3 when a newer owner took it at
// once, 1 with the German reason on standard error when the handover
// failed, 2 on a wrong call.

#include "platform/linux/ClipboardHandover.h"

#include <chrono>
#include <cstdio>
#include <string>

int main(int argc, char** argv) {
  if (argc != 3 && argc != 4) return 2;
  const std::chrono::milliseconds timeout(argc == 4 ? std::stoi(argv[3]) : 5000);
  const pelvorn::Handover result = pelvorn::HandOverToKeeper(argv[1], argv[2], timeout);
  if (result == pelvorn::Handover::Kept) return 0;
  if (result == pelvorn::Handover::Superseded) return 3;
  std::fprintf(stderr, "Pelvorn: %s\n", std::string(pelvorn::HandoverFailureText(result)).c_str());
  return 1;
}
