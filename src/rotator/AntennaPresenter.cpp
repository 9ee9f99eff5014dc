#include "AntennaPresenter.h"

#include "AzimuthRange.h"
#include "common/Text.h"
#include "common/Texts.h"
#include "RotatorWorker.h"
#include "RotctldAntenna.h"
#include "RotctlLines.h"
#include "arithmetic/LongPath.h"

#include <cmath>

namespace pelvorn::rotator {
namespace {

// Within this much the antenna counts as standing on its target.
constexpr double Reached = 0.5;

}  // namespace

AntennaPresenter::AntennaPresenter(AntennaView& view, const RotctldAntenna& antenna,
                                   ToWindowThread toWindowThread)
    : view_(view), decimalSeparator_(antenna.decimalSeparator()) {
  Worker::Events events;
  events.commanded = [this, toWindowThread](double azimuth) {
    toWindowThread([this, azimuth] { commanded(azimuth); });
  };
  events.position = [this, toWindowThread](double azimuth) {
    toWindowThread([this, azimuth] { position(azimuth); });
  };
  events.failed = [this, toWindowThread](const std::string& message) {
    toWindowThread([this, message] { failed(message); });
  };
  worker_ = std::make_unique<Worker>(antenna.addressText(), OptionsFor(decimalSeparator_), std::move(events));
  turnTo_ = [worker = worker_.get()](double direction) { worker->turnTo(direction); };
}

AntennaPresenter::AntennaPresenter(AntennaView& view, char16_t decimalSeparator, std::function<void(double)> turnTo)
    : view_(view), decimalSeparator_(decimalSeparator), turnTo_(std::move(turnTo)) {}

AntennaPresenter::~AntennaPresenter() { worker_.reset(); }

bool AntennaPresenter::actionsEnabled() const { return view_.showsResult(); }

void AntennaPresenter::turn(bool longPath) {
  if (!actionsEnabled()) return;
  const auto direction = DirectionFromCaption(view_.directionCaption(), decimalSeparator_);
  if (!direction) return;
  view_.setTip(u"");
  turnTo_(longPath ? LongPathDirection(*direction) : *direction);
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

void AntennaPresenter::failed(const std::string& message) {
  view_.setTip(u"");
  view_.warn(FromUtf8(text::RotatorBoxTitle), FromUtf8(message));
}

}  // namespace pelvorn::rotator
