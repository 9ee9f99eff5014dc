#include "DatagramSource.h"

#include "common/Text.h"
#include "common/Texts.h"

namespace pelvorn::follow {

std::string DatagramSource::waitingLine() const { return Fill(waiting_, {address_.text}); }

Heard DatagramSource::next(std::chrono::milliseconds timeout) {
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
  switch (read_(bytes, heard.report)) {
    case DatagramKind::Report: heard.kind = Heard::Kind::Report; break;
    case DatagramKind::Malformed: ++skipped_; break;
    case DatagramKind::Ignored: break;
  }
  return heard;
}

}  // namespace pelvorn::follow
