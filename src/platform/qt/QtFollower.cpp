#include "QtFollower.h"

#include "QtWindow.h"

#include <QSocketNotifier>

#include <cstdio>
#include <ctime>

namespace pelvorn {

QtFollower::QtFollower(QtWindow& window, follow::FollowOptions options, const NumberLocale& locale)
    : window_(window), follower_(std::move(options), locale, nullptr) {}

std::string QtFollower::listen(const follow::ListenAddress& address) {
  std::string problem = listener_.open(address);
  if (!problem.empty()) return problem;
  notifier_ = new QSocketNotifier(static_cast<qintptr>(listener_.handle()), QSocketNotifier::Read, this);
  connect(notifier_, &QSocketNotifier::activated, this, &QtFollower::readDatagrams);
  return {};
}

void QtFollower::readDatagrams() {
  std::string datagram, problem;
  while (listener_.receive(datagram, std::chrono::milliseconds(0), problem) == follow::UdpListener::Wait::Datagram) {
    const follow::FollowOutput output = follower_.take(datagram, follow::FollowClock::now(), std::time(nullptr));
    if (!output.err.empty()) std::fputs(output.err.c_str(), stderr);
    if (!output.sighting) continue;
    window_.setText(TextBox::OwnLocator, output.sighting->ownLocator);
    window_.setText(TextBox::ForeignLocator, output.sighting->foreignLocator);
    window_.form().calculate();
  }
  if (!problem.empty()) {
    std::fputs((Fill(text::ErrorLine, {problem})).c_str(), stderr);
    notifier_->setEnabled(false);
  }
}

}  // namespace pelvorn
