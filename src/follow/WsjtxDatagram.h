#pragma once

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

// What a Status or QSO Logged datagram says about the station being worked.
// A null string reads as an empty one.
struct StationReport {
  std::string id;      // the sender ("WSJT-X", "JTDX", "WSJT-X - IC-7300")
  std::string dxCall;
  std::string dxGrid;
  std::string deGrid;  // the sender's own locator; empty when a QSO Logged datagram ends before it
};

struct Datagram {
  enum class Verdict {
    Report,     // a Status or QSO Logged datagram: `report` holds it
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
