#pragma once

#include <functional>
#include <memory>
#include <string>
#include <string_view>

namespace pelvorn::rotator {

class RotatorAntenna;
class Worker;

// What the antenna commands ask of a window.
class AntennaView {
public:
  virtual ~AntennaView() = default;
  // Whether the window shows a result of its last calculation.
  virtual bool showsResult() const = 0;
  // The text of the direction field.
  virtual std::u16string directionCaption() const = 0;
  // Sets the direction field's tooltip; empty: none.
  virtual void setTip(std::u16string_view text) = 0;
  // A modal warning box.
  virtual void warn(std::u16string_view title, std::u16string_view message) = 0;
  // Whether the commands are enabled may have changed.
  virtual void commandsChanged() {}
};

// Hands a call over to the window's thread; it runs there later.
using ToWindowThread = std::function<void(std::function<void()>)>;

// Turning the antenna from a window, whichever toolkit draws it: the
// commands are enabled while the window shows a result; the short path
// turns to the direction field's value, the long path to the opposite. The
// worker turns the antenna on its own thread; its events come back through
// the window's thread, and the tooltip tells where the antenna stands.
// Stop is enabled while a command runs or the antenna turns, and cancels
// the command in flight; park is always enabled. Failures show in a
// warning box " Rotor ".
class AntennaPresenter {
public:
  // Turns `antenna` on a worker thread, whose events reach this presenter
  // through `toWindowThread`.
  AntennaPresenter(AntennaView& view, const RotatorAntenna& antenna, ToWindowThread toWindowThread);
  // Hands each azimuth to `turnTo` instead (tests), each stop and park
  // request to `other` (true for stop).
  AntennaPresenter(AntennaView& view, char16_t decimalSeparator, std::function<void(double)> turnTo,
                   std::function<void(bool)> other = {});
  // Cancels a command still running and waits for its thread (a tenth of a
  // second); events already handed over must not reach this presenter.
  ~AntennaPresenter();
  AntennaPresenter(const AntennaPresenter&) = delete;
  AntennaPresenter& operator=(const AntennaPresenter&) = delete;

  bool actionsEnabled() const;
  bool stopEnabled() const { return busy_; }
  // The user asked to turn the antenna.
  void turn(bool longPath);
  // The user asked to stop or to park it.
  void stop();
  void park();

  // The worker's events, on the window's thread: the daemon took `azimuth`,
  // the antenna stands at `azimuth`, it stood within the dead band, the
  // rotator took the stop, it parks, the command is over, the command
  // failed (German, UTF-8).
  void commanded(double azimuth);
  void position(double azimuth);
  void withinDeadband(double standing, double target);
  void stopped();
  void parking();
  void finished();
  void failed(const std::string& message);

private:
  std::u16string degrees(double value) const;
  void setBusy(bool busy);

  AntennaView& view_;
  char16_t decimalSeparator_;
  std::unique_ptr<Worker> worker_;
  std::function<void(double)> turnTo_;
  std::function<void(bool)> other_;
  double target_ = 0.0;
  double deadband_ = 0.0;
  bool busy_ = false;
};

}  // namespace pelvorn::rotator
