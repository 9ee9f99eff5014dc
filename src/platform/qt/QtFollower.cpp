#include "QtFollower.h"

#include "QtWindow.h"
#include "common/Text.h"
#include "common/Texts.h"
#include "follow/FollowLoop.h"

#include <cstdio>

namespace pelvorn {

QtFollower::QtFollower(QtWindow& window, follow::FollowOptions options, const NumberLocale& locale)
    : window_(window), follower_(std::move(options), locale, nullptr) {}

QtFollower::~QtFollower() {
  stop_ = true;
  thread_.join();
}

std::string QtFollower::start(const follow::SourceAddress& address) {
  source_ = follow::MakeStationSource(address);
  if (std::string problem = source_->open(); !problem.empty()) return problem;
  const auto deliver = [this](const follow::FollowOutput& output) {
    if (!output.err.empty()) std::fputs(output.err.c_str(), stderr);
    if (output.sighting) {
      QMetaObject::invokeMethod(this, [this, sighting = *output.sighting] { show(sighting); }, Qt::QueuedConnection);
    }
    return true;
  };
  const bool started = thread_.start([this, deliver] {
    std::string problem;
    if (follow::RunFollowLoop(*source_, follower_, stop_, deliver, problem) == follow::LoopEnd::SourceFailed) {
      std::fputs(Fill(text::ErrorLine, {problem}).c_str(), stderr);
    }
  });
  return started ? std::string() : std::string(text::FollowNotStarted);
}

void QtFollower::show(const follow::Sighting& sighting) {
  window_.setText(TextBox::OwnLocator, sighting.ownLocator);
  window_.setText(TextBox::ForeignLocator, sighting.foreignLocator);
  window_.form().calculate();
}

}  // namespace pelvorn
