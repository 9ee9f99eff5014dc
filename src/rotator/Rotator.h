#pragma once

#include "RotatorAddress.h"
#include "RotatorFailure.h"

#include <atomic>
#include <chrono>
#include <functional>
#include <memory>
#include <optional>
#include <string>

namespace pelvorn::rotator {

// The dead band unless the settings file or --deadband says otherwise.
inline constexpr double DefaultDeadband = 2.0;

// How long each step may take, how numbers appear in messages, and how the
// rotator is to be turned.
struct Options {
  // Limit for connecting, for sending a command and for each answer.
  std::chrono::milliseconds timeout{3000};
  // Decimal separator of the numbers in the German messages.
  char decimalSeparator = ',';
  // Set from another thread to give up within a tenth of a second.
  const std::atomic<bool>* cancel = nullptr;
  // A target within this many degrees of where the antenna stands is not
  // sent (every start wears the relays and the brake); 0: always sent.
  double deadband = DefaultDeadband;
  // Where parking turns the antenna; nullopt: the rotator's own park position.
  std::optional<double> park;
};

// What a turn came to.
struct Turn {
  double sent = 0.0;                // the azimuth sent
  std::optional<double> standing;   // where the antenna stood before
  bool withinDeadband = false;      // nothing sent: it stands within the dead band
};

// A rotator, whichever program drives it (rotctld or PstRotator, chosen by
// the address). Connects on first use; every step is bounded by the
// options' time limit and ends early on a cancel request.
class Rotator {
public:
  virtual ~Rotator() = default;
  Rotator(const Rotator&) = delete;
  Rotator& operator=(const Rotator&) = delete;

  // Turns the antenna to `direction` (degrees, rounded to hundredths as the
  // window shows it) unless it stands within the dead band of it; done when
  // the rotator has taken the command.
  virtual Outcome turnTo(double direction, Turn& turn) = 0;
  // Reads the rotator's current azimuth.
  virtual Outcome position(double& azimuth) = 0;
  // Stops the antenna where it is.
  virtual Outcome stop() = 0;
  // Parks the antenna: turns it to the options' park position, or has the
  // rotator go to its own.
  Outcome park(Turn& turn);

  // Polls the position every `interval` until it is within `tolerance` of
  // `target`, reporting each reading to `seen`; gives up without failure
  // after `patience` without movement (a stuck or slow rotator).
  Outcome followUntilReached(double target, double tolerance, std::chrono::milliseconds interval,
                             std::chrono::milliseconds patience, const std::function<void(double)>& seen);

  const Options& options() const { return options_; }
  // "139,74°" with the options' decimal separator.
  std::string degrees(double value) const;

protected:
  explicit Rotator(Options options) : options_(options) {}
  virtual Outcome parkItself() = 0;
  // Whether `standing` lies within the dead band of `target`, the shorter way round.
  bool withinDeadband(double standing, double target) const;
  // Waits `time` in small steps; false when a cancel request came.
  bool pause(std::chrono::steady_clock::duration time) const;

  Options options_;
};

// "139,74°": `value` with two decimals and `decimalSeparator`.
std::string DegreesText(double value, char decimalSeparator);

// The German line for a turn not sent: the antenna stands at `standing`,
// within the dead band of `options` around `target`.
std::string WithinDeadbandLine(const Options& options, double standing, double target);

// The rotator at `address`, talked to by the protocol the address names.
std::unique_ptr<Rotator> MakeRotator(const Address& address, const Options& options = {});

// Connects to `address` and turns the antenna to `direction`, see
// Rotator::turnTo. The whole exchange of a hidden run.
Outcome TurnAntenna(const Address& address, double direction, const Options& options = {}, Turn* turn = nullptr);

// What the command line asks of the rotator alone.
enum class Command { Stop, Park };
// Connects to `address` and stops or parks the antenna; `turn` tells
// whether parking turned it to the configured position.
Outcome CommandAntenna(const Address& address, Command command, const Options& options, Turn& turn);

}  // namespace pelvorn::rotator
