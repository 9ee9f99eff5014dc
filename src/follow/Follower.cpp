#include "Follower.h"

#include "arithmetic/GreatCircle.h"
#include "arithmetic/LongPath.h"
#include "arithmetic/NumberPatterns.h"
#include "arithmetic/SubsquareCentres.h"
#include "common/Text.h"
#include "common/Texts.h"
#include "arithmetic/LocatorInput.h"

namespace pelvorn::follow {
namespace {

// Senders remembered at most; a flood of made-up ids starts the record afresh.
constexpr std::size_t MostSenders = 16;

bool IsLocatorPair(char first, char second, char low, char high) {
  return first >= low && first <= high && second >= low && second <= high;
}

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

FollowOutput Follower::see(const StationReport& report, FollowClock::time_point now, std::time_t utcNow) {
  FollowOutput output;
  if (options_.id && report.id != *options_.id) return output;

  const std::string_view ownGrid = options_.ownLocator ? std::string_view(*options_.ownLocator) : report.deGrid;
  std::string seen = std::string(ownGrid) + '\n' + report.dxGrid;
  const auto last = lastSeen_.find(report.id);
  if (last != lastSeen_.end() && last->second == seen) return output;
  if (last == lastSeen_.end() && lastSeen_.size() >= MostSenders) lastSeen_.clear();
  lastSeen_[report.id] = std::move(seen);

  // A grid cleared or made invalid withdraws the target it was about to give.
  if (pendingTarget_ && pendingSender_ == report.id) pendingTarget_.reset();
  if (report.dxGrid.empty()) return output;
  const std::u16string foreign = NormalisedGrid(report.dxGrid);
  if (foreign.empty()) {
    output.err = Fill(text::ErrorLine, {Fill(text::FollowInvalidDxGrid, {PeerText(report.id), PeerText(report.dxGrid)})});
    return output;
  }
  const std::u16string own = NormalisedGrid(ownGrid);
  if (own.empty()) {
    output.err = Fill(text::ErrorLine, {Fill(text::FollowInvalidDeGrid, {PeerText(report.id), PeerText(ownGrid)})});
    return output;
  }

  const SubsquareCentre from = CentreOfWellFormed(own);
  const SubsquareCentre to = CentreOfWellFormed(foreign);
  const auto [km, direction] = UncheckedDistanceAndDirection(from.latitude, to.latitude, from.longitude, to.longitude);
  const LongPath back = LongPathOf(km, direction, Circumference);
  if (options_.tsv) {
    output.out = UtcTime(utcNow) + '\t';
    output.out += PeerText(report.dxCall);
    output.out += '\t';
    output.out += PeerText(report.dxGrid);
    output.out += '\t';
    AppendPathColumns(output.out, km, direction, back.km, back.direction);
  } else {
    AppendResultLine(output.out, km, direction, locale_);
    if (!report.dxCall.empty()) output.out += ' ';
    output.out += PeerText(report.dxCall);
  }
  output.out += '\n';
  output.sighting = Sighting{own, foreign};

  if (rotator_ != nullptr && options_.turn != TurnMode::None) {
    pendingTarget_ = options_.turn == TurnMode::LongPath ? back.direction : direction;
    pendingSender_ = report.id;
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
