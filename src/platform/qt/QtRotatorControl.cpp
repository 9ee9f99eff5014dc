#include "QtRotatorControl.h"

#include "QtText.h"
#include "window/Platform.h"
#include "common/Text.h"
#include "rotator/AzimuthRange.h"
#include "rotator/HiddenRunRotator.h"
#include "rotator/RotatorWorker.h"
#include "rotator/RotctlLines.h"
#include "window/PelvornForm.h"

#include <QAction>
#include <QLabel>

#include <cmath>

namespace pelvorn {
namespace {

// Within this much the antenna counts as standing on its target.
constexpr double Reached = 0.5;

}  // namespace

QtRotatorControl::QtRotatorControl(QLabel& directionField, const PelvornForm& form, Platform& platform,
                                   const NumberLocale& locale, const std::string& addressText)
    : directionField_(directionField), form_(form), platform_(platform), locale_(locale) {
  shortPath_ = new QAction(QStringLiteral("Antenne drehen (kurzer Weg)"), this);
  longPath_ = new QAction(QStringLiteral("Antenne drehen (langer Weg)"), this);
  shortPath_->setShortcut(QKeySequence(Qt::Key_F7));
  longPath_->setShortcut(QKeySequence(Qt::SHIFT | Qt::Key_F7));
  for (QAction* action : {shortPath_, longPath_}) {
    action->setShortcutContext(Qt::WindowShortcut);
    action->setEnabled(false);
    directionField_.addAction(action);
  }
  directionField_.setContextMenuPolicy(Qt::ActionsContextMenu);
  connect(shortPath_, &QAction::triggered, this, [this] { turn(false); });
  connect(longPath_, &QAction::triggered, this, [this] { turn(true); });

  // The worker's events come on its thread and are handed to this one.
  rotator::Worker::Events events;
  events.commanded = [this](double azimuth) {
    QMetaObject::invokeMethod(this, [this, azimuth] { commanded(azimuth); }, Qt::QueuedConnection);
  };
  events.position = [this](double azimuth) {
    QMetaObject::invokeMethod(this, [this, azimuth] { reached(azimuth); }, Qt::QueuedConnection);
  };
  events.failed = [this](const std::string& message) {
    const QString text = QString::fromStdString(message);
    QMetaObject::invokeMethod(this, [this, text] { failed(text); }, Qt::QueuedConnection);
  };
  rotator::Options options;
  options.decimalSeparator = locale.decimalSeparator < 0x80 ? static_cast<char>(locale.decimalSeparator) : ',';
  worker_ = std::make_unique<rotator::Worker>(addressText, options, std::move(events));
}

QtRotatorControl::~QtRotatorControl() {
  // Before this object goes: the worker's thread may still post to it.
  worker_.reset();
}

void QtRotatorControl::resultChanged() {
  const bool shown = form_.showsResult();
  shortPath_->setEnabled(shown);
  longPath_->setEnabled(shown);
}

QString QtRotatorControl::degrees(double value) const {
  std::u16string text = FromUtf8(rotator::FormatDegrees(value));
  for (char16_t& c : text) {
    if (c == u'.') c = locale_.decimalSeparator;
  }
  return ToQString(text) + QStringLiteral("\u00b0");
}

void QtRotatorControl::turn(bool longPath) {
  if (!form_.showsResult()) return;
  const auto direction = rotator::DirectionFromCaption(ToU16(directionField_.text()), locale_.decimalSeparator);
  if (!direction) return;
  directionField_.setToolTip(QString());
  worker_->turnTo(longPath ? rotator::LongPath(*direction) : *direction);
}

void QtRotatorControl::commanded(double azimuth) {
  target_ = azimuth;
  directionField_.setToolTip(QStringLiteral("Antenne dreht auf %1").arg(degrees(azimuth)));
}

void QtRotatorControl::reached(double azimuth) {
  if (std::fabs(azimuth - target_) <= Reached) {
    directionField_.setToolTip(QStringLiteral("Antenne steht auf %1").arg(degrees(azimuth)));
  } else {
    directionField_.setToolTip(
        QStringLiteral("Antenne dreht auf %1, steht auf %2").arg(degrees(target_), degrees(azimuth)));
  }
}

void QtRotatorControl::failed(const QString& message) {
  directionField_.setToolTip(QString());
  platform_.warning(RotatorBoxTitle, ToU16(message));
}

}  // namespace pelvorn
