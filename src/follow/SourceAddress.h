#pragma once

#include "follow/StationSource.h"
#include "follow/UdpListener.h"

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

// The value of --follow: which program to follow, and where.
//   ADDRESS[:PORT] or wsjtx[:ADDRESS:PORT]  WSJT-X or JTDX, their UDP datagrams
//   n1mm[:ADDRESS[:PORT]]                   N1MM-format loggers, their XML datagrams (port 12060)

namespace pelvorn::follow {

enum class SourceKind { Wsjtx, N1mm };

struct SourceAddress {
  SourceKind kind = SourceKind::Wsjtx;
  ListenAddress listen;  // the UDP address listened on
};

// Reads the value of --follow (empty: WSJT-X on its default address).
// nullopt when it names no source.
std::optional<SourceAddress> ParseSourceAddress(std::string_view text);

// The source `address` names, not yet opened.
std::unique_ptr<StationSource> MakeStationSource(const SourceAddress& address);

}  // namespace pelvorn::follow
