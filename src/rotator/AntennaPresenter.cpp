#include "AntennaPresenter.h"

#include "AzimuthRange.h"
#include "common/Text.h"
#include "common/Texts.h"
#include "RotatorWorker.h"
#include "RotatorAntenna.h"
#include "RotctlLines.h"
#include "arithmetic/LongPath.h"

#include <cmath>

namespace pelvorn::rotator {
namespace {

// Within this much the antenna counts as standing on its target.
constexpr double Reached = 0.5;

}  // namespace

AntennaPresenter::AntennaPresenter(AntennaView& view, const RotatorAntenna& antenna,
                                   ToWindowThread toWindowThread)
    : view_(view), decimalSeparator_(antenna.decimalSeparator()) {
  Worker::Events events;
  events.commanded = [this, toWindowThread](double azimuth) {
    toWindowThread([this, azimuth] { commanded(azimuth); });
  };
  events.position = [this, toWindowThread](double azimuth) {
    toWindowThread([this, azimuth] { position(azimuth); });
  };
  events.withinDeadband = [this, toWindowThread](double standing, double target) {
    toWindowThread([this, standing, target] { withinDeadband(standing, target); });
  };
  events.stopped = [this, toWindowThread] { toWindowThread([this] { stopped(); }); };
  events.parking = [this, toWindowThread] { toWindowThread([this] { parking(); }); };
  events.finished = [this, toWindowThread] { toWindowThread([this] { finished(); }); };
  events.failed = [this, toWindowThread](const std::string& message) {
    toWindowThread([this, message] { failed(message); });
  };
  const Options options = OptionsFor(decimalSeparator_);
  deadband_ = options.deadband;
  worker_ = std::make_unique<Worker>(antenna.addressText(), options, std::move(events));
  turnTo_ = [worker = worker_.get()](double direction) { worker->turnTo(direction); };
  other_ = [worker = worker_.get()](bool stop) { stop ? worker->stop() : worker->park(); };
}

AntennaPresenter::AntennaPresenter(AntennaView& view, char16_t decimalSeparator, std::function<void(double)> turnTo,
                                   std::function<void(bool)> other)
    : view_(view), decimalSeparator_(decimalSeparator), turnTo_(std::move(turnTo)), other_(std::move(other)) {}

AntennaPresenter::~AntennaPresenter() { worker_.reset(); }

bool AntennaPresenter::actionsEnabled() const { return view_.showsResult(); }

void AntennaPresenter::turn(bool longPath) {
  if (!actionsEnabled()) return;
  const auto direction = DirectionFromCaption(view_.directionCaption(), decimalSeparator_);
  if (!direction) return;
  view_.setTip(u"");
  setBusy(true);
  turnTo_(longPath ? LongPathDirection(*direction) : *direction);
}

void AntennaPresenter::stop() {
  if (!busy_) return;
  setBusy(false);
  if (other_) other_(true);
}

void AntennaPresenter::park() {
  view_.setTip(u"");
  setBusy(true);
  if (other_) other_(false);
}

void AntennaPresenter::setBusy(bool busy) {
  if (busy == busy_) return;
  busy_ = busy;
  view_.commandsChanged();
}

std::u16string AntennaPresenter::degrees(double value) const {
  return FromUtf8(Fill(text::Degrees, {DegreesWithSeparator(value, decimalSeparator_)}));
}

void AntennaPresenter::commanded(double azimuth) {
  target_ = azimuth;
  view_.setTip(FromUtf8(Fill(text::AntennaTurning, {ToUtf8(degrees(azimuth))})));
}

void AntennaPresenter::position(double azimuth) {
  if (std::fabs(azimuth - target_) <= Reached) {
    view_.setTip(FromUtf8(Fill(text::AntennaStands, {ToUtf8(degrees(azimuth))})));
  } else {
    view_.setTip(FromUtf8(Fill(text::AntennaTurningFrom, {ToUtf8(degrees(target_)), ToUtf8(degrees(azimuth))})));
  }
}

void AntennaPresenter::withinDeadband(double standing, double target) {
  view_.setTip(FromUtf8(Fill(text::WithinDeadband, {ToUtf8(degrees(standing)), ToUtf8(degrees(target)),
                                                    ToUtf8(degrees(deadband_))})));
}

void AntennaPresenter::stopped() { view_.setTip(FromUtf8(text::AntennaStopped)); }
void AntennaPresenter::parking() { view_.setTip(FromUtf8(text::AntennaParking)); }
void AntennaPresenter::finished() { setBusy(false); }

void AntennaPresenter::failed(const std::string& message) {
  setBusy(false);
  view_.setTip(u"");
  view_.warn(FromUtf8(text::RotatorBoxTitle), FromUtf8(message));
}

}  // namespace pelvorn::rotator
