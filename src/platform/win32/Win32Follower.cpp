#include "Win32Follower.h"

#include "Win32Window.h"
#include "common/Text.h"
#include "common/Texts.h"
#include "follow/FollowLoop.h"
#include "window/PelvornForm.h"

namespace pelvorn::win32 {

Win32Follower::Win32Follower(Win32Window& window, PelvornForm& form, follow::FollowOptions options,
                             const NumberLocale& locale, std::FILE* err)
    : window_(window), handle_(window.handle()), form_(form), err_(err), follower_(std::move(options), locale, nullptr) {
  window_.setFollower(this);
}

Win32Follower::~Win32Follower() {
  stop_ = true;
  thread_.join();
  window_.setFollower(nullptr);
}

std::string Win32Follower::start(const follow::SourceAddress& address) {
  source_ = follow::MakeStationSource(address);
  if (std::string problem = source_->open(); !problem.empty()) return problem;
  const bool started = thread_.start([this] {
    const auto deliver = [this](const follow::FollowOutput& output) {
      printError(output.err);
      if (output.sighting) queue(*output.sighting);
      return true;
    };
    std::string problem;
    if (follow::RunFollowLoop(*source_, follower_, stop_, deliver, problem) == follow::LoopEnd::SourceFailed) {
      printError(Fill(text::ErrorLine, {problem}));
    }
  });
  return started ? std::string() : std::string(text::FollowNotStarted);
}

void Win32Follower::printError(const std::string& lines) {
  if (!err_ || lines.empty()) return;
  std::fputs(lines.c_str(), err_);
  std::fflush(err_);
}

void Win32Follower::queue(const follow::Sighting& sighting) {
  {
    const std::lock_guard lock(queueLock_);
    queue_.push_back(sighting);
  }
  // A message that cannot be posted (the window is gone) leaves the sighting
  // to the next one, or to the destructor.
  PostMessageW(handle_, FollowSightingMessage, 0, 0);
}

void Win32Follower::showSightings() {
  for (;;) {
    follow::Sighting sighting;
    {
      const std::lock_guard lock(queueLock_);
      if (queue_.empty()) return;
      sighting = std::move(queue_.front());
      queue_.pop_front();
    }
    window_.setText(TextBox::OwnLocator, sighting.ownLocator);
    window_.setText(TextBox::ForeignLocator, sighting.foreignLocator);
    form_.calculate();
  }
}

}  // namespace pelvorn::win32
