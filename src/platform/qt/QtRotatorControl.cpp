#include "QtRotatorControl.h"

#include "common/Text.h"
#include "common/Texts.h"
#include "QtText.h"
#include "window/PelvornForm.h"
#include "window/Platform.h"

#include <QAction>
#include <QLabel>

namespace pelvorn {

QtRotatorControl::QtRotatorControl(QLabel& directionField, const PelvornForm& form, Platform& platform,
                                   const rotator::RotatorAntenna& antenna)
    : directionField_(directionField), form_(form), platform_(platform) {
  shortPath_ = new QAction(ToQString(text::TurnShortPath), this);
  longPath_ = new QAction(ToQString(text::TurnLongPath), this);
  stop_ = new QAction(ToQString(text::StopAntenna), this);
  park_ = new QAction(ToQString(text::ParkAntenna), this);
  shortPath_->setShortcut(QKeySequence(Qt::Key_F7));
  longPath_->setShortcut(QKeySequence(Qt::SHIFT | Qt::Key_F7));
  stop_->setShortcut(QKeySequence(Qt::Key_F9));
  for (QAction* action : {shortPath_, longPath_, stop_, park_}) {
    action->setShortcutContext(Qt::WindowShortcut);
    action->setEnabled(action == park_);
    directionField_.addAction(action);
  }
  directionField_.setContextMenuPolicy(Qt::ActionsContextMenu);
  connect(shortPath_, &QAction::triggered, this, [this] { presenter_->turn(false); });
  connect(longPath_, &QAction::triggered, this, [this] { presenter_->turn(true); });
  connect(stop_, &QAction::triggered, this, [this] { presenter_->stop(); });
  connect(park_, &QAction::triggered, this, [this] { presenter_->park(); });

  // The worker's events come on its thread; queued to this object, they
  // run on the window's thread, and go with this object when it goes.
  rotator::AntennaView& view = *this;
  presenter_ = std::make_unique<rotator::AntennaPresenter>(view, antenna, [this](std::function<void()> event) {
    QMetaObject::invokeMethod(this, std::move(event), Qt::QueuedConnection);
  });
}

QtRotatorControl::~QtRotatorControl() {
  // Before this object goes: the worker's thread may still post to it.
  presenter_.reset();
}

void QtRotatorControl::resultChanged() {
  const bool enabled = presenter_->actionsEnabled();
  shortPath_->setEnabled(enabled);
  longPath_->setEnabled(enabled);
}

void QtRotatorControl::commandsChanged() {
  if (presenter_) stop_->setEnabled(presenter_->stopEnabled());
}

bool QtRotatorControl::showsResult() const { return form_.showsResult(); }
std::u16string QtRotatorControl::directionCaption() const { return ToU16(directionField_.text()); }
void QtRotatorControl::setTip(std::u16string_view text) { directionField_.setToolTip(ToQString(text)); }
void QtRotatorControl::warn(std::u16string_view title, std::u16string_view message) {
  platform_.warning(title, message);
}

}  // namespace pelvorn
