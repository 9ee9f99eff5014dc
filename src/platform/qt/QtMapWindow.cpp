#include "QtMapWindow.h"

#include "QtText.h"
#include "common/Texts.h"

#include <QKeyEvent>
#include <QPainter>

namespace pelvorn {
namespace {

// The first size of the client area, in device-independent pixels; and the
// smallest, below which a map is no use.
constexpr int FirstSide = 500;
constexpr int SmallestSide = 200;
// The room between the main window and the map window.
constexpr int Gap = 8;

}  // namespace

QtMapWindow::QtMapWindow(QWidget& mainWindow) : QWidget(&mainWindow, Qt::Window), mainWindow_(mainWindow) {
  setObjectName(QStringLiteral("Karte"));
  setWindowTitle(ToQString(text::MapWindowTitle));
  setMinimumSize(SmallestSide, SmallestSide);
  setFocusPolicy(Qt::StrongFocus);
}

void QtMapWindow::showBeside() {
  if (!placed_) {
    // Beside the main window, its top on the same height; the window
    // manager (or Wayland's compositor) may place it elsewhere.
    resize(FirstSide, FirstSide);
    const QRect main = mainWindow_.frameGeometry();
    move(main.right() + 1 + Gap, main.top());
    placed_ = true;
  }
  show();
  raise();
  activateWindow();
}

MapView::Size QtMapWindow::clientPixels() const {
  const qreal ratio = devicePixelRatioF();
  return {qRound(width() * ratio), qRound(height() * ratio)};
}

void QtMapWindow::showPixels(map::Pixels pixels) {
  image_ = QImage(pixels.rgba.data(), pixels.width, pixels.height, pixels.width * 4, QImage::Format_RGBA8888).copy();
  image_.setDevicePixelRatio(devicePixelRatioF());
  hint_.clear();
  update();
}

void QtMapWindow::showHint(std::u16string_view text) {
  image_ = QImage();
  hint_ = ToQString(text);
  update();
}

void QtMapWindow::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  if (image_.isNull()) {
    painter.drawText(rect(), Qt::AlignCenter, hint_);
    return;
  }
  // Beside the square, the colour of the map's corner.
  painter.fillRect(rect(), image_.pixelColor(0, 0));
  const QSizeF side = image_.deviceIndependentSize();
  painter.drawImage(QPointF((width() - side.width()) / 2, (height() - side.height()) / 2), image_);
}

void QtMapWindow::resizeEvent(QResizeEvent* event) {
  QWidget::resizeEvent(event);
  if (presenter_) presenter_->resized();
}

bool QtMapWindow::event(QEvent* event) {
  // Esc here is this window's, even while Qt still holds the main window
  // active (on Wayland until a round trip after the keyboard came), where
  // it would end the program.
  if (event->type() == QEvent::ShortcutOverride && static_cast<QKeyEvent*>(event)->key() == Qt::Key_Escape) {
    event->accept();
    return true;
  }
  return QWidget::event(event);
}

void QtMapWindow::keyPressEvent(QKeyEvent* event) {
  if (event->key() == Qt::Key_Escape && presenter_) {
    presenter_->close();
    return;
  }
  QWidget::keyPressEvent(event);
}

}  // namespace pelvorn
