#include "WsjtxDatagram.h"

#include <optional>

namespace pelvorn::follow {
namespace {

constexpr std::uint32_t NullString = 0xffffffff;

// Big-endian fields one after the other; the first one past the end makes
// every later read fail.
class FieldReader {
public:
  explicit FieldReader(std::string_view bytes) : bytes_(bytes) {}

  std::optional<std::uint64_t> unsignedOf(std::size_t size) {
    if (bytes_.size() - position_ < size) return std::nullopt;
    std::uint64_t value = 0;
    for (std::size_t i = 0; i < size; ++i) value = value << 8 | static_cast<unsigned char>(bytes_[position_ + i]);
    position_ += size;
    return value;
  }
  std::optional<std::uint32_t> u32() {
    const auto value = unsignedOf(4);
    return value ? std::optional<std::uint32_t>(static_cast<std::uint32_t>(*value)) : std::nullopt;
  }
  bool skip(std::size_t size) {
    if (bytes_.size() - position_ < size) return false;
    position_ += size;
    return true;
  }

  // A QByteArray of UTF-8: length and bytes; the null string reads as empty.
  std::optional<std::string> utf8() {
    const auto length = u32();
    if (!length) return std::nullopt;
    if (*length == NullString) return std::string();
    if (bytes_.size() - position_ < *length) return std::nullopt;
    std::string text(bytes_.substr(position_, *length));
    position_ += *length;
    return text;
  }

  // A QDateTime: QDate (qint64 Julian day), QTime (quint32 ms), the kind
  // of time (quint8: local, UTC, offset, zone) and, for an offset from UTC,
  // the offset (qint32). A named time zone (kind 3) is not read.
  bool dateTime() {
    if (!skip(8 + 4)) return false;
    const auto kind = unsignedOf(1);
    if (!kind || *kind == 3) return false;
    return *kind != 2 || skip(4);
  }

private:
  std::string_view bytes_;
  std::size_t position_ = 0;
};

Datagram Malformed(std::string problem) {
  Datagram datagram;
  datagram.problem = std::move(problem);
  return datagram;
}

}  // namespace

Datagram ReadDatagram(std::string_view bytes) {
  FieldReader reader(bytes);
  const auto magic = reader.u32();
  if (!magic || *magic != DatagramMagic) return Malformed("wrong magic number");
  // Schema 1 (WSJT-X 1.x) lays the fields read here out as 2 and 3 do.
  const auto schema = reader.u32();
  if (!schema || *schema < 1 || *schema > 3) return Malformed("unknown schema");
  const auto type = reader.u32();
  auto id = reader.utf8();
  if (!type || !id) return Malformed("ends in the header");

  Datagram datagram;
  datagram.report.id = std::move(*id);
  StationReport& report = datagram.report;
  if (*type == static_cast<std::uint32_t>(MessageType::Status)) {
    // dial frequency, mode, DX call, report, Tx mode, Tx enabled,
    // transmitting, decoding, Rx DF, Tx DF, DE call, DE grid, DX grid
    auto dxCall = reader.skip(8) && reader.utf8() ? reader.utf8() : std::nullopt;
    const bool middle = dxCall && reader.utf8() && reader.utf8() && reader.skip(3) && reader.skip(8) && reader.utf8();
    auto deGrid = middle ? reader.utf8() : std::nullopt;
    auto dxGrid = deGrid ? reader.utf8() : std::nullopt;
    if (!dxGrid) return Malformed("Status ends before the DX grid");
    report.dxCall = std::move(*dxCall);
    report.deGrid = std::move(*deGrid);
    report.dxGrid = std::move(*dxGrid);
  } else if (*type == static_cast<std::uint32_t>(MessageType::QsoLogged)) {
    // time off, DX call, DX grid; further on: Tx frequency, mode, reports
    // sent and received, Tx power, comments, name, time on, operator's
    // call, own call, own grid
    auto dxCall = reader.dateTime() ? reader.utf8() : std::nullopt;
    auto dxGrid = dxCall ? reader.utf8() : std::nullopt;
    if (!dxGrid) return Malformed("QSO Logged ends before the DX grid");
    report.dxCall = std::move(*dxCall);
    report.dxGrid = std::move(*dxGrid);
    const bool before = reader.skip(8) && reader.utf8() && reader.utf8() && reader.utf8() && reader.utf8() &&
                        reader.utf8() && reader.utf8() && reader.dateTime() && reader.utf8() && reader.utf8();
    if (auto deGrid = before ? reader.utf8() : std::nullopt) report.deGrid = std::move(*deGrid);
  } else {
    datagram.verdict = Datagram::Verdict::Ignored;
    return datagram;
  }
  datagram.verdict = Datagram::Verdict::Report;
  return datagram;
}

}  // namespace pelvorn::follow
