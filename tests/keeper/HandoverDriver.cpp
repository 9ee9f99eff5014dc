// keeper_handover_driver KEEPER LINE: hands LINE to the clipboard keeper
// the way a hidden run does. Status 0 once the keeper owns CLIPBOARD, 1 when
// the handover failed, 2 on a wrong call.

#include "platform/posix/ClipboardHandover.h"

#include <chrono>

int main(int argc, char** argv) {
  if (argc != 3) return 2;
  return pelvorn::HandOverToKeeper(argv[1], argv[2], std::chrono::milliseconds(5000)) ? 0 : 1;
}
