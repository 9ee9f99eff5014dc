#include "QtWindow.h"

#include "QtMapWindow.h"
#include "QtRotatorControl.h"
#include "common/Texts.h"
#include "QtText.h"
#include "QtWindowLayout.h"
#include "rotator/RotatorAntenna.h"
#include "window/ControlTable.h"
#include "window/Keys.h"

#include <QAction>
#include <QApplication>
#include <QIcon>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPixmap>
#include <QPushButton>
#include <QShortcut>
#include <QTimer>

// Defines pelvorn_xpm, the 32x32 16-colour window icon.
#include "pelvorn.xpm"

namespace pelvorn {
namespace {

QLabel* MakeLabel(const ControlEntry& entry, QWidget* parent) {
  auto* label = new QLabel(ToQString(entry.caption), parent);
  const Qt::Alignment horizontal = entry.alignment == Alignment::Centre ? Qt::AlignHCenter : Qt::AlignLeft;
  label->setAlignment(horizontal | Qt::AlignVCenter);
  if (entry.kind == ControlKind::ResultField) {
    label->setFrameStyle(QFrame::Box | QFrame::Plain);
    label->setLineWidth(1);
    // The white of a text box: read-only fields beside the input boxes.
    label->setBackgroundRole(QPalette::Base);
    label->setAutoFillBackground(true);
  }
  return label;
}

QWidget* MakeControl(const ControlEntry& entry, QWidget* parent) {
  switch (entry.kind) {
    case ControlKind::TextBox: {
      auto* box = new QLineEdit(parent);
      box->setMaxLength(LocatorBoxMaxLength);
      box->setText(ToQString(entry.caption));
      return box;
    }
    case ControlKind::Button: {
      auto* button = new QPushButton(ToQString(entry.caption), parent);
      // Enter presses a button that has the focus, as in a dialog.
      button->setAutoDefault(true);
      return button;
    }
    case ControlKind::Label:
    case ControlKind::ResultField:
      return MakeLabel(entry, parent);
  }
  return nullptr;
}

// Whether `key` is Alt+?, the access key of "&?". "?" needs Shift on most
// layouts (US: Shift+/, German: Shift+ß), and whether Qt's mnemonic matches
// with Shift held depends on the platform's key mapping, so the key is
// recognised here whatever the Shift.
bool IsAltQuestionMark(const QKeyEvent& key) {
  const Qt::KeyboardModifiers others = key.modifiers() & ~(Qt::ShiftModifier | Qt::KeypadModifier);
  return key.key() == Qt::Key_Question && others == Qt::AltModifier;
}

}  // namespace

QtWindow::QtWindow(Platform& platform, rotator::RotatorAntenna* antenna, ParsedCommandLine command,
                   const NumberLocale& locale, QWidget* parent)
    : QWidget(parent), form_(*this, platform, antenna, std::move(command), locale) {
  setObjectName(QStringLiteral("Pelvorn"));
  setWindowTitle(ToQString(DesignCaption));
  setWindowIcon(QIcon(QPixmap(pelvorn_xpm)));
  buildControls();
  bindKeys();
  if (antenna) rotator_ = std::make_unique<QtRotatorControl>(*directionField(), form_, platform, *antenna);
  addMap();
}

// F8 and "Karte" in the window's context menus: the window's own (on its
// labels, fields and buttons) and the direction field's with the antenna
// commands. The locator boxes keep their edit menus as they are.
void QtWindow::addMap() {
  mapWindow_ = new QtMapWindow(*this);
  mapPresenter_ = std::make_unique<MapPresenter>(*mapWindow_, form_, *this);
  mapWindow_->setPresenter(*mapPresenter_);
  form_.setCalculatedListener([this] { mapPresenter_->calculated(); });
  mapAction_ = new QAction(ToQString(text::MapCommand), this);
  mapAction_->setShortcut(QKeySequence(Qt::Key_F8));
  mapAction_->setShortcutContext(Qt::WindowShortcut);
  connect(mapAction_, &QAction::triggered, this, [this] { mapPresenter_->open(); });
  addAction(mapAction_);
  setContextMenuPolicy(Qt::ActionsContextMenu);
  if (rotator_) directionField()->addAction(mapAction_);
}

// The map window first: it calls its presenter.
QtWindow::~QtWindow() { delete mapWindow_; }

void QtWindow::buildControls() {
  QWidget* previous = nullptr;
  for (const ControlEntry& entry : Controls) {
    QWidget* control = MakeControl(entry, this);
    control->setObjectName(QString::fromLatin1(entry.name.data(), static_cast<qsizetype>(entry.name.size())));
    controls_[static_cast<std::size_t>(entry.control)] = control;
    if (entry.kind == ControlKind::TextBox || entry.kind == ControlKind::Button) {
      if (previous != nullptr) setTabOrder(previous, control);
      previous = control;
    }
  }
  static_cast<QLabel*>(control(Control::OwnLocatorLabel))->setBuddy(ownLocatorBox());
  static_cast<QLabel*>(control(Control::ForeignLocatorLabel))->setBuddy(foreignLocatorBox());
  button(Control::CalculateButton)->setDefault(true);
  ownLocatorBox()->setFocus();
}

QLineEdit* QtWindow::ownLocatorBox() const { return static_cast<QLineEdit*>(control(Control::OwnLocatorBox)); }
QLineEdit* QtWindow::foreignLocatorBox() const {
  return static_cast<QLineEdit*>(control(Control::ForeignLocatorBox));
}
QLabel* QtWindow::distanceField() const { return static_cast<QLabel*>(control(Control::DistanceField)); }
QLabel* QtWindow::directionField() const { return static_cast<QLabel*>(control(Control::DirectionField)); }
QPushButton* QtWindow::button(Control which) const { return static_cast<QPushButton*>(control(which)); }

void QtWindow::layOut() {
  const double scale = LayoutScale(font(), ownLocatorBox()->sizeHint().height());
  for (const ControlEntry& entry : Controls) control(entry.control)->setGeometry(ToPixels(entry.twips, scale));
  setFixedSize(ClientSizeInPixels(scale));
  laidOut_ = true;
}

void QtWindow::bindKeys() {
  connect(button(Control::QuitButton), &QPushButton::clicked, this, [this] { form_.quit(); });
  connect(button(Control::CalculateButton), &QPushButton::clicked, this, [this] { form_.calculate(); });
  // Pressing "&?" does nothing but take the focus, also by its access key,
  // which in Qt presses a button without focusing it.
  QPushButton* info = button(Control::InfoButton);
  connect(info, &QPushButton::clicked, info, [info] { info->setFocus(Qt::ShortcutFocusReason); });

  // Outside a dialog Qt gives the default and cancel buttons no keys of
  // their own; Enter and Esc are bound here.
  for (const int key : {Qt::Key_Return, Qt::Key_Enter}) {
    connect(new QShortcut(QKeySequence(key), this), &QShortcut::activated, this,
            &QtWindow::pressDefaultOrFocusedButton);
  }
  connect(new QShortcut(QKeySequence(Qt::Key_Escape), this), &QShortcut::activated, button(ButtonPressedByEscape),
          &QPushButton::click);

  // Key preview: released keys are seen whichever control has the focus.
  qApp->installEventFilter(this);
}

void QtWindow::pressDefaultOrFocusedButton() {
  std::optional<Control> focused;
  for (const Control which : {Control::CalculateButton, Control::QuitButton, Control::InfoButton}) {
    if (focusWidget() == control(which)) focused = which;
  }
  button(ButtonPressedByEnter(focused))->click();
}

bool QtWindow::eventFilter(QObject* watched, QEvent* event) {
  if (watched == control(Control::InfoButton) && event->type() == QEvent::Shortcut) {
    // Its access key presses "&?" at once, not animated: keys typed right
    // after go on from there.
    button(Control::InfoButton)->click();
    return true;
  }
  const bool press = event->type() == QEvent::KeyPress;
  if ((!press && event->type() != QEvent::KeyRelease) || !watched->isWidgetType()) return false;
  auto* widget = static_cast<QWidget*>(watched);
  if (widget->window() != this) return false;
  auto* key = static_cast<QKeyEvent*>(event);
  if (press && QApplication::activeWindow() != this) {
    // A key that reaches the window means the keyboard is ours, even before Qt
    // has made the window active (on Wayland that takes a round trip after the
    // keyboard came). Enter, Esc and the access keys are shortcuts of the
    // active window: make it active, then let the key try them again.
    QApplication::setActiveWindow(this);
    QKeyEvent again(key->type(), key->key(), key->modifiers(), key->nativeScanCode(), key->nativeVirtualKey(),
                    key->nativeModifiers(), key->text(), key->isAutoRepeat(), static_cast<quint16>(key->count()));
    QCoreApplication::sendEvent(watched, &again);
    return true;
  }
  if (press) {
    if (!IsAltQuestionMark(*key)) return false;
    button(Control::InfoButton)->click();
    return true;
  }
  if (key->isAutoRepeat() || key->key() != Qt::Key_F1) return false;
  // Consumed here, so the release does not travel on to the parent widgets.
  form_.keyReleased(KeyCodeF1, static_cast<int>(key->modifiers() >> 25));
  return true;
}

void QtWindow::showEvent(QShowEvent* event) {
  QWidget::showEvent(event);
  // The first activation comes once, after the window has been shown; a
  // window manager may never activate it, so the window does not wait for one.
  QTimer::singleShot(0, this, [this] { form_.activateOnce(); });
}

void QtWindow::closeEvent(QCloseEvent* event) {
  QWidget::closeEvent(event);
  form_.closedByUser();
}

// WindowView ------------------------------------------------------------------

QLineEdit* QtWindow::box(TextBox box) const { return static_cast<QLineEdit*>(control(ControlOf(box))); }
QLabel* QtWindow::label(ResultField field) const { return static_cast<QLabel*>(control(ControlOf(field))); }

std::u16string QtWindow::text(TextBox which) const { return ToU16(box(which)->text()); }
void QtWindow::setText(TextBox which, std::u16string_view text) { box(which)->setText(ToQString(text)); }
void QtWindow::setFocus(TextBox which) { box(which)->setFocus(); }
std::u16string QtWindow::caption(ResultField which) const { return ToU16(label(which)->text()); }
void QtWindow::setCaption(ResultField which, std::u16string_view text) {
  label(which)->setText(ToQString(text));
  // Asked once the form has finished with the result fields.
  if (rotator_) QMetaObject::invokeMethod(rotator_.get(), &QtRotatorControl::resultChanged, Qt::QueuedConnection);
}
void QtWindow::setWindowCaption(std::u16string_view caption) { setWindowTitle(ToQString(caption)); }

void QtWindow::setVisible(bool visible) {
  if (visible && !laidOut_) layOut();
  QWidget::setVisible(visible);
}

void QtWindow::unload() { close(); }

// FrontEnd --------------------------------------------------------------------

void QtWindow::showWindow() { show(); }

void QtWindow::activateHidden() {
  QTimer::singleShot(0, this, [this] { form_.activateOnce(); });
}

int QtWindow::exec() { return QApplication::exec(); }

}  // namespace pelvorn
