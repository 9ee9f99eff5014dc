// Any datagram as N1MM's XML: the reader never reads past its end, says why
// it refuses one, gives fields without blanks around them and no own grid,
// and the follower takes what it gives.
#include "FuzzInput.h"

#include "follow/Follower.h"
#include "follow/N1mmDatagram.h"

#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace pelvorn::follow;
  const N1mmDatagram datagram = ReadN1mmDatagram(std::string_view(reinterpret_cast<const char*>(data), size));
  if ((datagram.verdict == N1mmDatagram::Verdict::Malformed) == datagram.problem.empty()) std::abort();
  if (datagram.verdict != N1mmDatagram::Verdict::Report) return 0;
  const StationReport& report = datagram.report;
  for (const std::string& field : {report.id, report.dxCall, report.dxGrid}) {
    if (!field.empty() && (pelvorn::TrimAscii(field, " \t\r\n").size() != field.size())) std::abort();
  }
  if (!report.deGrid.empty()) std::abort();
  FollowOptions options;
  options.ownLocator = "JO62MM";
  Follower follower(options, FuzzLocales()[size % 2], nullptr);
  const FollowOutput output = follower.see(report, FollowClock::time_point{}, 0);
  if (output.sighting.has_value() == output.out.empty()) std::abort();
  return 0;
}
