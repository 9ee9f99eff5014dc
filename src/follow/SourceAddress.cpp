#include "SourceAddress.h"

#include "follow/N1mmSource.h"
#include "follow/WsjtxSource.h"

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

}  // namespace

std::optional<SourceAddress> ParseSourceAddress(std::string_view text) {
  SourceAddress address;
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
    case SourceKind::N1mm: return std::make_unique<N1mmSource>(address.listen);
  }
  return std::make_unique<WsjtxSource>(address.listen);
}

}  // namespace pelvorn::follow
