#include "WsjtxSource.h"

#include "common/Text.h"
#include "common/Texts.h"
#include "follow/WsjtxDatagram.h"

namespace pelvorn::follow {

std::string WsjtxSource::waitingLine() const { return Fill(text::FollowListening, {address_.text}); }

Heard WsjtxSource::next(std::chrono::milliseconds timeout) {
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
  Datagram datagram = ReadDatagram(bytes);
  if (datagram.verdict == Datagram::Verdict::Malformed) ++skipped_;
  if (datagram.verdict != Datagram::Verdict::Report) return heard;
  heard.kind = Heard::Kind::Report;
  heard.report = std::move(datagram.report);
  return heard;
}

}  // namespace pelvorn::follow
