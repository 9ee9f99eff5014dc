#pragma once

#include "follow/StationReport.h"

#include <cstdint>
#include <string>
#include <string_view>

// The datagrams WSJT-X (and JTDX) send to their "UDP Server": big-endian
// QDataStream, magic number, schema, message type and the sender's id,
// then the fields of the type. Only ever read; new fields are appended by
// newer versions, so trailing bytes are ignored.

namespace pelvorn::follow {

inline constexpr std::uint32_t DatagramMagic = 0xadbccbda;

enum class MessageType : std::uint32_t {
  Heartbeat = 0,
  Status = 1,
  QsoLogged = 5,
};

struct Datagram {
  enum class Verdict {
    Report,     // a Status or QSO Logged datagram: `report` holds it (a null
                // string reads as empty, a missing DE grid too)
    Ignored,    // well formed, but of another type
    Malformed,  // wrong magic or schema, or ends inside a field: `problem` says which
  };
  Verdict verdict = Verdict::Malformed;
  StationReport report;
  std::string problem;  // English, for the fuzz and unit tests; never shown to the user
};

// Reads one datagram. Never throws and never reads past `bytes`; a string
// length beyond the end is Malformed before anything is allocated.
Datagram ReadDatagram(std::string_view bytes);

}  // namespace pelvorn::follow
