#pragma once

#include "window/MapPresenter.h"

#include <QImage>
#include <QString>
#include <QWidget>

namespace pelvorn {

// The map window in Qt: a window of its own beside the main window that
// shows the pixels or the line of text the MapPresenter hands it, and
// forwards its size and Esc.
class QtMapWindow final : public QWidget, public MapView {
  Q_OBJECT

public:
  // A window of its own, which goes with `mainWindow`.
  explicit QtMapWindow(QWidget& mainWindow);
  void setPresenter(MapPresenter& presenter) { presenter_ = &presenter; }

  // What it shows: the map, or the hint (then the image is null).
  const QImage& image() const { return image_; }
  const QString& hint() const { return hint_; }

  // MapView
  bool shown() const override { return isVisible(); }
  void showBeside() override;
  void hideMap() override { hide(); }
  Size clientPixels() const override;
  void showPixels(map::Pixels pixels) override;
  void showHint(std::u16string_view text) override;

protected:
  bool event(QEvent* event) override;
  void paintEvent(QPaintEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;

private:
  QWidget& mainWindow_;
  MapPresenter* presenter_ = nullptr;
  QImage image_;
  QString hint_;
  bool placed_ = false;
};

}  // namespace pelvorn
