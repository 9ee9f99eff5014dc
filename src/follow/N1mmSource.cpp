#include "N1mmSource.h"

#include "common/Text.h"
#include "common/Texts.h"
#include "follow/N1mmDatagram.h"

namespace pelvorn::follow {

ListenAddress N1mmListenAddress() {
  ListenAddress address;
  address.ipv4 = 0;
  address.port = 12060;
  address.text = "0.0.0.0:12060";
  return address;
}

std::string N1mmSource::waitingLine() const { return Fill(text::FollowN1mmListening, {address_.text}); }

Heard N1mmSource::next(std::chrono::milliseconds timeout) {
  Heard heard;
  std::string bytes, problem;
  switch (listener_.receive(bytes, timeout, problem)) {
    case UdpListener::Wait::Timeout: return heard;
    case UdpListener::Wait::Failed:
      heard.kind = Heard::Kind::Failed;
      heard.text = Fill(text::FollowReceiveFailed, {address_.text, problem});
      return heard;
    case UdpListener::Wait::Datagram: break;
  }
  N1mmDatagram datagram = ReadN1mmDatagram(bytes);
  if (datagram.verdict == N1mmDatagram::Verdict::Malformed) ++skipped_;
  if (datagram.verdict != N1mmDatagram::Verdict::Report) return heard;
  heard.kind = Heard::Kind::Report;
  heard.report = std::move(datagram.report);
  return heard;
}

}  // namespace pelvorn::follow
