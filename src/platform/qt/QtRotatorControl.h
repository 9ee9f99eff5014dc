#pragma once

#include "rotator/AntennaPresenter.h"

#include <QObject>

#include <memory>

class QAction;
class QLabel;

namespace pelvorn {

class PelvornForm;
class Platform;
namespace rotator {
class RotatorAntenna;
}

// The antenna commands in Qt, present only when a rotator is configured:
// the direction field's context menu and the window's shortcuts F7,
// Shift+F7 and F9 (stop), the tooltip, and the hand-off of the worker's events to the
// window's thread. What they do is the AntennaPresenter's.
class QtRotatorControl final : public QObject, private rotator::AntennaView {
  Q_OBJECT

public:
  QtRotatorControl(QLabel& directionField, const PelvornForm& form, Platform& platform,
                   const rotator::RotatorAntenna& antenna);
  // Cancels a command still running; returns within a tenth of a second.
  ~QtRotatorControl() override;

  // Enables the two actions when the form shows a result. Called after
  // every change of a result field.
  void resultChanged();

  QAction* shortPathAction() const { return shortPath_; }
  QAction* longPathAction() const { return longPath_; }
  QAction* stopAction() const { return stop_; }
  QAction* parkAction() const { return park_; }

private:
  // AntennaView
  bool showsResult() const override;
  std::u16string directionCaption() const override;
  void setTip(std::u16string_view text) override;
  void warn(std::u16string_view title, std::u16string_view message) override;
  void commandsChanged() override;

  QLabel& directionField_;
  const PelvornForm& form_;
  Platform& platform_;
  QAction* shortPath_ = nullptr;
  QAction* longPath_ = nullptr;
  QAction* stop_ = nullptr;
  QAction* park_ = nullptr;
  std::unique_ptr<rotator::AntennaPresenter> presenter_;
};

}  // namespace pelvorn
