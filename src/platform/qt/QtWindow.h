#pragma once

#include "window/ControlTable.h"
#include "window/FrontEnd.h"
#include "window/MapPresenter.h"
#include "window/PelvornForm.h"
#include "window/WindowView.h"

#include <QWidget>

#include <array>
#include <memory>

class QAction;
class QLabel;
class QLineEdit;
class QPushButton;

namespace pelvorn {

class QtMapWindow;
class QtRotatorControl;
namespace rotator {
class RotatorAntenna;
}

// The window "Pelvorn" drawn with Qt Widgets: two locator boxes, the
// distance and direction fields and three buttons, laid out from the control
// table. It forwards its events to the form, which holds the behaviour.
class QtWindow final : public QWidget, public WindowView, public FrontEnd {
  Q_OBJECT

public:
  // `antenna` is the configured rotator, null without one.
  QtWindow(Platform& platform, rotator::RotatorAntenna* antenna, ParsedCommandLine command, const NumberLocale& locale,
           QWidget* parent = nullptr);
  ~QtWindow() override;

  PelvornForm& form() { return form_; }
  // The antenna commands of the direction field; null without a rotator.
  QtRotatorControl* rotatorControl() const { return rotator_.get(); }
  // The map window (F8, "Karte" in the context menus).
  QtMapWindow& mapWindow() const { return *mapWindow_; }
  QAction* mapAction() const { return mapAction_; }

  // The control `which` of the control table.
  QWidget* control(Control which) const { return controls_[static_cast<std::size_t>(which)]; }
  QLineEdit* ownLocatorBox() const;
  QLineEdit* foreignLocatorBox() const;
  QLabel* distanceField() const;
  QLabel* directionField() const;
  QPushButton* button(Control which) const;

  // WindowView (setVisible also overrides QWidget's: the window is laid out
  // when first shown, so a hidden run never measures its captions).
  std::u16string text(TextBox box) const override;
  void setText(TextBox box, std::u16string_view text) override;
  using QWidget::setFocus;
  void setFocus(TextBox box) override;
  std::u16string caption(ResultField label) const override;
  void setCaption(ResultField label, std::u16string_view text) override;
  void setWindowCaption(std::u16string_view caption) override;
  void setVisible(bool visible) override;
  void unload() override;

  // FrontEnd
  void showWindow() override;
  void activateHidden() override;
  int exec() override;

protected:
  void showEvent(QShowEvent* event) override;
  void closeEvent(QCloseEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;

private:
  void buildControls();
  void layOut();
  void bindKeys();
  void addMap();
  void pressDefaultOrFocusedButton();
  QLineEdit* box(TextBox box) const;
  QLabel* label(ResultField label) const;

  std::array<QWidget*, Controls.size()> controls_{};
  PelvornForm form_;
  std::unique_ptr<QtRotatorControl> rotator_;  // goes before the form
  QtMapWindow* mapWindow_ = nullptr;  // a child window
  std::unique_ptr<MapPresenter> mapPresenter_;
  QAction* mapAction_ = nullptr;
  bool laidOut_ = false;
};

}  // namespace pelvorn
