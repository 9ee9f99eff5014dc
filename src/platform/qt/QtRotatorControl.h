#pragma once

#include "common/NumberLocale.h"

#include <QObject>

#include <memory>
#include <string>

class QAction;
class QLabel;

namespace pelvorn {

class PelvornForm;
class Platform;
namespace rotator {
class Worker;
}

// Turning the antenna from the window, present only when a rotator is
// configured: the direction field gets a context menu and the window the
// shortcuts F7 "Antenne drehen (kurzer Weg)" and Shift+F7 "Antenne drehen
// (langer Weg)", enabled while a result is shown. The command runs on the
// rotator worker's thread; while the antenna turns, the direction field's
// tooltip tells where it stands. Failures show in a warning box.
class QtRotatorControl final : public QObject {
  Q_OBJECT

public:
  QtRotatorControl(QLabel& directionField, const PelvornForm& form, Platform& platform,
                   const NumberLocale& locale, const std::string& addressText);
  // Cancels a command still running; returns within a tenth of a second.
  ~QtRotatorControl() override;

  // Enables the two actions when the form shows a result. Called after
  // every change of a result field.
  void resultChanged();

  QAction* shortPathAction() const { return shortPath_; }
  QAction* longPathAction() const { return longPath_; }

private:
  void turn(bool longPath);
  void commanded(double azimuth);
  void reached(double azimuth);
  void failed(const QString& message);
  QString degrees(double value) const;

  QLabel& directionField_;
  const PelvornForm& form_;
  Platform& platform_;
  NumberLocale locale_;
  QAction* shortPath_ = nullptr;
  QAction* longPath_ = nullptr;
  double target_ = 0.0;
  std::unique_ptr<rotator::Worker> worker_;
};

// The title of the rotator's warning boxes.
inline constexpr char16_t RotatorBoxTitle[] = u" Rotor ";

}  // namespace pelvorn
