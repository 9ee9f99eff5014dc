#include "SourceAddress.h"

#include "follow/DatagramSource.h"
#include "follow/FldigiSource.h"
#include "follow/N1mmDatagram.h"
#include "follow/WsjtxDatagram.h"

#include "common/Texts.h"

namespace pelvorn::follow {
namespace {

// `text` without the program's name and its colon; nullopt when it names another.
std::optional<std::string_view> After(std::string_view name, std::string_view text) {
  if (text.substr(0, name.size()) != name) return std::nullopt;
  text.remove_prefix(name.size());
  if (text.empty()) return text;
  if (text.size() < 2 || text.front() != ':') return std::nullopt;
  return text.substr(1);
}

// N1MM's datagrams are listened for on every interface by default, so that
// N1MM's default (127.0.0.1:12060) and a network's broadcast address
// (192.168.1.255:12060) both arrive.
ListenAddress N1mmListenAddress() {
  ListenAddress address;
  address.ipv4 = 0;
  address.port = 12060;
  address.text = "0.0.0.0:12060";
  return address;
}

// A program's datagram reader as the datagram source takes it.
template <auto Read>
DatagramKind ReadReport(std::string_view bytes, StationReport& report) {
  auto datagram = Read(bytes);
  using Verdict = decltype(datagram.verdict);
  if (datagram.verdict == Verdict::Malformed) return DatagramKind::Malformed;
  if (datagram.verdict == Verdict::Ignored) return DatagramKind::Ignored;
  report = std::move(datagram.report);
  return DatagramKind::Report;
}

}  // namespace

std::optional<SourceAddress> ParseSourceAddress(std::string_view text) {
  SourceAddress address;
  if (const auto fldigi = After("fldigi", text)) {
    address.kind = SourceKind::Fldigi;
    if (fldigi->empty()) return address;
    const auto at = ParseFldigiAddress(*fldigi);
    if (!at) return std::nullopt;
    address.fldigi = *at;
    return address;
  }
  std::string_view where = After("wsjtx", text).value_or(text);
  if (const auto n1mm = After("n1mm", text)) {
    address.kind = SourceKind::N1mm;
    address.listen = N1mmListenAddress();
    where = *n1mm;
  }
  if (where.empty()) return address;
  const auto listen = ParseListenAddress(where, address.listen.port);
  if (!listen) return std::nullopt;
  address.listen = *listen;
  return address;
}

std::unique_ptr<StationSource> MakeStationSource(const SourceAddress& address) {
  switch (address.kind) {
    case SourceKind::Wsjtx: break;
    case SourceKind::N1mm: {
      // Shared with the other programs that listen there, as N1MM advises.
      ListenAddress shared = address.listen;
      shared.shared = true;
      return std::make_unique<DatagramSource>(shared, &ReadReport<ReadN1mmDatagram>, text::FollowN1mmListening);
    }
    case SourceKind::Fldigi: return std::make_unique<FldigiSource>(address.fldigi);
  }
  return std::make_unique<DatagramSource>(address.listen, &ReadReport<ReadDatagram>, text::FollowListening);
}

}  // namespace pelvorn::follow
