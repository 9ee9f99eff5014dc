#pragma once

#include <string>

namespace pelvorn::follow {

// What a source says about the station being worked. Text as the other
// program sent it: not yet checked, possibly not UTF-8.
struct StationReport {
  std::string id;      // the instance ("WSJT-X", "JTDX", a logger's station name)
  std::string dxCall;
  std::string dxGrid;
  std::string deGrid;  // the source's own locator; empty when it gave none
};

}  // namespace pelvorn::follow
