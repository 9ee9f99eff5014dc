#include "Rotator.h"

#include "PstRotator.h"
#include "RotctldRotator.h"
#include "RotctlLines.h"
#include "common/Text.h"
#include "common/Texts.h"

#include <cmath>
#include <thread>

namespace pelvorn::rotator {
namespace {

using Clock = std::chrono::steady_clock;

}  // namespace

std::string DegreesText(double value, char decimalSeparator) {
  return Fill(text::Degrees, {DegreesWithSeparator(value, static_cast<unsigned char>(decimalSeparator))});
}

std::string WithinDeadbandLine(const Options& options, double standing, double target) {
  const char separator = options.decimalSeparator;
  return Fill(text::WithinDeadband, {DegreesText(standing, separator), DegreesText(target, separator),
                                     DegreesText(options.deadband, separator)});
}

std::string Rotator::degrees(double value) const { return DegreesText(value, options_.decimalSeparator); }

bool Rotator::withinDeadband(double standing, double target) const {
  if (!(options_.deadband > 0)) return false;
  const double apart = std::fabs(std::remainder(standing - target, 360.0));
  // Hundredths, as the window shows them: 2,00° apart is within 2°.
  return std::round(apart * 100.0) <= std::round(options_.deadband * 100.0);
}

Outcome Rotator::park(Turn& turn) {
  if (options_.park) return turnTo(*options_.park, turn);
  return parkItself();
}

Outcome Rotator::followUntilReached(double target, double tolerance, std::chrono::milliseconds interval,
                                    std::chrono::milliseconds patience,
                                    const std::function<void(double)>& seen) {
  std::optional<double> last;
  auto lastMove = Clock::now();
  for (;;) {
    double azimuth = 0.0;
    if (Outcome asked = position(azimuth); !asked) return asked;
    if (seen) seen(azimuth);
    if (std::fabs(std::remainder(azimuth - target, 360.0)) <= tolerance) return {};
    if (!last || std::fabs(azimuth - *last) > 0.005) lastMove = Clock::now();
    if (Clock::now() - lastMove >= patience) return {};
    last = azimuth;
    if (!pause(interval)) return Outcome::Fail(Failure::Cancelled, std::string(text::Cancelled));
  }
}

bool Rotator::pause(Clock::duration time) const {
  // Sleeps in small steps so that a cancel request is seen at once.
  const auto wake = Clock::now() + time;
  for (;;) {
    if (options_.cancel != nullptr && options_.cancel->load()) return false;
    const auto now = Clock::now();
    if (now >= wake) return true;
    std::this_thread::sleep_for(std::min<Clock::duration>(wake - now, std::chrono::milliseconds(50)));
  }
}

std::unique_ptr<Rotator> MakeRotator(const Address& address, const Options& options) {
  if (address.protocol == Protocol::PstRotator) return std::make_unique<PstRotator>(address, options);
  return std::make_unique<RotctldRotator>(address, options);
}

Outcome TurnAntenna(const Address& address, double direction, const Options& options, Turn* turn) {
  Turn ignored;
  return MakeRotator(address, options)->turnTo(direction, turn != nullptr ? *turn : ignored);
}

Outcome CommandAntenna(const Address& address, Command command, const Options& options, Turn& turn) {
  const auto rotator = MakeRotator(address, options);
  return command == Command::Stop ? rotator->stop() : rotator->park(turn);
}

}  // namespace pelvorn::rotator
