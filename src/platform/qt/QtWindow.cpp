#include "QtWindow.h"

#include "QtRotatorControl.h"
#include "QtText.h"
#include "QtWindowLayout.h"
#include "rotator/RotatorSettings.h"
#include "window/ControlTable.h"
#include "window/Keys.h"

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

QLabel* MakeLabel(const ControlSpec& entry, QWidget* parent) {
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

QWidget* MakeControl(const ControlSpec& entry, QWidget* parent) {
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

QtWindow::QtWindow(Platform& platform, ParsedCommandLine command, const NumberLocale& locale, QWidget* parent)
    : QWidget(parent), form_(*this, platform, std::move(command), locale) {
  setObjectName(QStringLiteral("Pelvorn"));
  setWindowTitle(ToQString(DesignCaption));
  setWindowIcon(QIcon(QPixmap(pelvorn_xpm)));
  buildControls();
  bindKeys();
  if (const auto& rotatorAddress = rotator::ConfiguredRotator()) {
    rotator_ = std::make_unique<QtRotatorControl>(*Richtung, form_, platform, locale, *rotatorAddress);
  }
}

QtWindow::~QtWindow() = default;

void QtWindow::buildControls() {
  QWidget* previous = nullptr;
  for (const ControlSpec& entry : Controls) {
    QWidget* control = MakeControl(entry, this);
    control->setObjectName(QString::fromLatin1(entry.name.data(), static_cast<qsizetype>(entry.name.size())));
    if (entry.kind == ControlKind::TextBox || entry.kind == ControlKind::Button) {
      if (previous != nullptr) setTabOrder(previous, control);
      previous = control;
    }
  }

  Text1 = findChild<QLineEdit*>(QStringLiteral("Text1"));
  Text2 = findChild<QLineEdit*>(QStringLiteral("Text2"));
  Entfernung = findChild<QLabel*>(QStringLiteral("Entfernung"));
  Richtung = findChild<QLabel*>(QStringLiteral("Richtung"));
  Command1 = findChild<QPushButton*>(QStringLiteral("Command1"));
  Command2 = findChild<QPushButton*>(QStringLiteral("Command2"));
  Command3 = findChild<QPushButton*>(QStringLiteral("Command3"));
  findChild<QLabel*>(QStringLiteral("Label1"))->setBuddy(Text1);
  findChild<QLabel*>(QStringLiteral("Label2"))->setBuddy(Text2);
  Command2->setDefault(true);
  Text1->setFocus();
}

void QtWindow::layOut() {
  const double scale = LayoutScale(font(), Text1->sizeHint().height());
  for (const ControlSpec& entry : Controls) {
    const QString name = QString::fromLatin1(entry.name.data(), static_cast<qsizetype>(entry.name.size()));
    findChild<QWidget*>(name)->setGeometry(ToPixels(entry.twips, scale));
  }
  setFixedSize(ClientSizeInPixels(scale));
  laidOut_ = true;
}

void QtWindow::bindKeys() {
  connect(Command1, &QPushButton::clicked, this, [this] { form_.Command1_Click(); });
  connect(Command2, &QPushButton::clicked, this, [this] { form_.Command2_Click(); });
  // Pressing "&?" does nothing but take the focus, also by its access key,
  // which in Qt presses a button without focusing it.
  connect(Command3, &QPushButton::clicked, Command3, [this] { Command3->setFocus(Qt::ShortcutFocusReason); });

  // Outside a dialog Qt gives the default and cancel buttons no keys of
  // their own; Enter and Esc are bound here.
  for (const int key : {Qt::Key_Return, Qt::Key_Enter}) {
    connect(new QShortcut(QKeySequence(key), this), &QShortcut::activated, this,
            &QtWindow::pressDefaultOrFocusedButton);
  }
  connect(new QShortcut(QKeySequence(Qt::Key_Escape), this), &QShortcut::activated, Command1,
          &QPushButton::click);

  // Key preview: released keys are seen whichever control has the focus.
  qApp->installEventFilter(this);
}

void QtWindow::pressDefaultOrFocusedButton() {
  std::optional<Button> focused;
  if (focusWidget() == Command1) focused = Button::Command1;
  if (focusWidget() == Command2) focused = Button::Command2;
  if (focusWidget() == Command3) focused = Button::Command3;
  switch (ButtonPressedByEnter(focused)) {
    case Button::Command1: Command1->click(); break;
    case Button::Command2: Command2->click(); break;
    case Button::Command3: Command3->click(); break;
  }
}

bool QtWindow::eventFilter(QObject* watched, QEvent* event) {
  if (watched == Command3 && event->type() == QEvent::Shortcut) {
    // Its access key presses "&?" at once, not animated: keys typed right
    // after go on from there.
    Command3->click();
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
    Command3->click();
    return true;
  }
  if (key->isAutoRepeat() || key->key() != Qt::Key_F1) return false;
  // Consumed here, so the release does not travel on to the parent widgets.
  form_.Form_KeyUp(KeyCodeF1, static_cast<int>(key->modifiers() >> 25));
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

QLineEdit* QtWindow::box(TextBox box) const { return box == TextBox::Text1 ? Text1 : Text2; }
QLabel* QtWindow::label(ResultLabel label) const { return label == ResultLabel::Entfernung ? Entfernung : Richtung; }

std::u16string QtWindow::text(TextBox which) const { return ToU16(box(which)->text()); }
void QtWindow::setText(TextBox which, std::u16string_view text) { box(which)->setText(ToQString(text)); }
void QtWindow::setFocus(TextBox which) { box(which)->setFocus(); }
std::u16string QtWindow::caption(ResultLabel which) const { return ToU16(label(which)->text()); }
void QtWindow::setCaption(ResultLabel which, std::u16string_view text) {
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
