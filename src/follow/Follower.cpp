#include "Follower.h"

#include "arithmetic/GreatCircle.h"
#include "arithmetic/LongPath.h"
#include "arithmetic/NumberPatterns.h"
#include "arithmetic/SubsquareCentres.h"
#include "common/Text.h"
#include "common/Texts.h"
#include "arithmetic/LocatorInput.h"

#include <charconv>

namespace pelvorn::follow {
namespace {

// Senders remembered at most; a flood of made-up ids starts the record afresh.
constexpr std::size_t MostSenders = 16;

bool IsLocatorPair(char first, char second, char low, char high) {
  return first >= low && first <= high && second >= low && second <= high;
}

void AppendFixed(std::string& out, double value, int decimals) {
  char buffer[64];
  const auto [end, error] = std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::fixed, decimals);
  if (error == std::errc{}) out.append(buffer, end);
}

void AppendDirection(std::string& out, double degrees) {
  const std::size_t start = out.size();
  AppendFixed(out, degrees, 2);
  if (std::string_view(out).substr(start) == "360.00") out.replace(start, std::string::npos, "0.00");
}

// The text of a datagram's field in a line: valid UTF-8, tabs and line
// breaks as blanks, no control characters or escape sequences.
std::string Cleaned(std::string_view text) { return PeerText(text); }

std::string UtcTime(std::time_t utc) {
  std::tm parts{};
#ifdef _WIN32
  gmtime_s(&parts, &utc);
#else
  gmtime_r(&utc, &parts);
#endif
  char buffer[32];
  std::strftime(buffer, sizeof buffer, "%Y-%m-%dT%H:%M:%SZ", &parts);
  return buffer;
}

}  // namespace

std::u16string NormalisedGrid(std::string_view grid) {
  const std::string upper = AsciiCapitals(grid);
  const std::size_t size = upper.size();
  if (size != 4 && size != 6 && size != 8) return {};
  if (!IsLocatorPair(upper[0], upper[1], 'A', 'R') || !IsLocatorPair(upper[2], upper[3], '0', '9')) return {};
  if (size >= 6 && !IsLocatorPair(upper[4], upper[5], 'A', 'X')) return {};
  if (size == 8 && !IsLocatorPair(upper[6], upper[7], '0', '9')) return {};
  const LocatorBoxOutcome box = NormaliseLocatorBox(FromUtf8(std::string_view(upper).substr(0, 6)));
  return box.verdict == LocatorBoxOutcome::Verdict::Accepted ? box.text : std::u16string();
}

Follower::Follower(FollowOptions options, NumberLocale locale, RotatorTarget* rotator)
    : options_(std::move(options)), locale_(locale), rotator_(rotator) {}

FollowOutput Follower::take(std::string_view bytes, FollowClock::time_point now, std::time_t utcNow) {
  FollowOutput output;
  const Datagram datagram = ReadDatagram(bytes);
  if (datagram.verdict == Datagram::Verdict::Malformed) ++skipped_;
  if (datagram.verdict != Datagram::Verdict::Report) return output;
  const StationReport& report = datagram.report;
  if (options_.id && report.id != *options_.id) return output;

  const std::string_view ownGrid = options_.ownLocator ? std::string_view(*options_.ownLocator) : report.deGrid;
  std::string seen = std::string(ownGrid) + '\n' + report.dxGrid;
  const auto last = lastSeen_.find(report.id);
  if (last != lastSeen_.end() && last->second == seen) return output;
  if (last == lastSeen_.end() && lastSeen_.size() >= MostSenders) lastSeen_.clear();
  lastSeen_[report.id] = std::move(seen);

  if (report.dxGrid.empty()) return output;
  const std::u16string foreign = NormalisedGrid(report.dxGrid);
  if (foreign.empty()) {
    output.err = Fill(text::ErrorLine, {Fill(text::FollowInvalidDxGrid, {Cleaned(report.id), Cleaned(report.dxGrid)})});
    return output;
  }
  const std::u16string own = NormalisedGrid(ownGrid);
  if (own.empty()) {
    output.err = Fill(text::ErrorLine, {Fill(text::FollowInvalidDeGrid, {Cleaned(report.id), Cleaned(ownGrid)})});
    return output;
  }

  const SubsquareCentre from = CentreOfWellFormed(own);
  const SubsquareCentre to = CentreOfWellFormed(foreign);
  const auto [km, direction] = UncheckedDistanceAndDirection(from.latitude, to.latitude, from.longitude, to.longitude);
  const LongPath back = LongPathOf(km, direction, Circumference);
  if (options_.tsv) {
    output.out = UtcTime(utcNow) + '\t' + Cleaned(report.dxCall) + '\t' + Cleaned(report.dxGrid) + '\t';
    AppendFixed(output.out, km, 3);
    output.out += '\t';
    AppendDirection(output.out, direction);
    output.out += '\t';
    AppendFixed(output.out, back.km, 3);
    output.out += '\t';
    AppendDirection(output.out, back.direction);
  } else {
    output.out = ToUtf8(ResultLine(FormatDistance(km, locale_), FormatDirection(direction, locale_)));
    if (!report.dxCall.empty()) output.out += ' ' + Cleaned(report.dxCall);
  }
  output.out += '\n';
  output.sighting = Sighting{own, foreign};

  if (rotator_ != nullptr && options_.turn != TurnMode::None) {
    pendingTarget_ = options_.turn == TurnMode::LongPath ? back.direction : direction;
    pendingSince_ = now;
  }
  return output;
}

std::optional<FollowClock::time_point> Follower::tick(FollowClock::time_point now) {
  if (!pendingTarget_) return std::nullopt;
  const FollowClock::time_point due = pendingSince_ + options_.settle;
  if (now < due) return due;
  const double target = *pendingTarget_;
  pendingTarget_.reset();
  rotator_->turnTo(target);
  return std::nullopt;
}

}  // namespace pelvorn::follow
