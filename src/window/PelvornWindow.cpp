#include "PelvornWindow.h"

#include "locator/RuntimeError.h"
#include "platform/Platform.h"
#include "startup/ExitStatus.h"
#include "window/WindowLayout.h"

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
  auto* label = new QLabel(QString::fromUtf8(entry.caption), parent);
  if (entry.kind == ControlKind::ResultField) {
    label->setFrameStyle(QFrame::Box | QFrame::Plain);
    label->setLineWidth(1);
    // The white of a text box: read-only fields beside the input boxes.
    label->setBackgroundRole(QPalette::Base);
    label->setAutoFillBackground(true);
    label->setAlignment(Qt::AlignCenter);
  } else if (QString::fromUtf8(entry.name) == QLatin1String("Label3") ||
             QString::fromUtf8(entry.name) == QLatin1String("Label4")) {
    label->setAlignment(Qt::AlignHCenter | Qt::AlignVCenter);
  } else {
    label->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
  }
  return label;
}

QWidget* MakeControl(const ControlSpec& entry, QWidget* parent) {
  switch (entry.kind) {
    case ControlKind::TextBox: {
      auto* box = new QLineEdit(parent);
      box->setMaxLength(LocatorBoxMaxLength);
      box->setText(QString::fromUtf8(entry.caption));
      return box;
    }
    case ControlKind::Button: {
      auto* button = new QPushButton(QString::fromUtf8(entry.caption), parent);
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
// layouts (US: Shift+/, German: Shift+ß), and Qt matches the mnemonic only
// when no Shift is held, so the key is recognised here whatever the Shift.
bool IsAltQuestionMark(const QKeyEvent& key) {
  const Qt::KeyboardModifiers others = key.modifiers() & ~(Qt::ShiftModifier | Qt::KeypadModifier);
  return key.key() == Qt::Key_Question && others == Qt::AltModifier;
}

}  // namespace

PelvornWindow::PelvornWindow(Platform& platform, const QLocale& locale, QWidget* parent)
    : QWidget(parent), platform_(platform), locale_(locale) {
  setObjectName(QStringLiteral("Pelvorn"));
  setWindowTitle(QStringLiteral(" Pelvorn V1.0 "));
  setWindowIcon(QIcon(QPixmap(pelvorn_xpm)));
  buildControls();
  bindKeys();
  Form_Load();
}

PelvornWindow::~PelvornWindow() = default;

void PelvornWindow::buildControls() {
  QWidget* previous = nullptr;
  for (const ControlSpec& entry : Controls) {
    QWidget* control = MakeControl(entry, this);
    control->setObjectName(QString::fromUtf8(entry.name));
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

void PelvornWindow::layOut() {
  const double scale = LayoutScale(font(), Text1->sizeHint().height());
  for (const ControlSpec& entry : Controls) {
    findChild<QWidget*>(QString::fromUtf8(entry.name))->setGeometry(ToPixels(entry.twips, scale));
  }
  setFixedSize(ToPixels(ClientTwips, scale));
  laidOut_ = true;
}

// Laid out when first shown: a hidden run never shows the window and does
// without measuring its captions.
void PelvornWindow::setVisible(bool visible) {
  if (visible && !laidOut_) layOut();
  QWidget::setVisible(visible);
}

void PelvornWindow::bindKeys() {
  connect(Command1, &QPushButton::clicked, this, &PelvornWindow::Command1_Click);
  connect(Command2, &QPushButton::clicked, this, &PelvornWindow::Command2_Click);
  // Pressing "&?" does nothing but take the focus, also by its access key,
  // which in Qt presses a button without focusing it.
  connect(Command3, &QPushButton::clicked, Command3, [this] { Command3->setFocus(Qt::ShortcutFocusReason); });

  // Outside a dialog Qt gives the default and cancel buttons no keys of
  // their own; Enter and Esc are bound here.
  for (const int key : {Qt::Key_Return, Qt::Key_Enter}) {
    connect(new QShortcut(QKeySequence(key), this), &QShortcut::activated, this,
            &PelvornWindow::pressDefaultOrFocusedButton);
  }
  connect(new QShortcut(QKeySequence(Qt::Key_Escape), this), &QShortcut::activated, Command1,
          &QPushButton::click);

  // Key preview: released keys are seen whichever control has the focus.
  qApp->installEventFilter(this);
}

void PelvornWindow::pressDefaultOrFocusedButton() {
  if (auto* focused = qobject_cast<QPushButton*>(focusWidget())) {
    focused->click();
  } else {
    Command2->click();
  }
}

void PelvornWindow::showEvent(QShowEvent* event) {
  QWidget::showEvent(event);
  activateOnce();
}

void PelvornWindow::activateOnce() {
  if (activated_) return;
  // The first activation comes once, after the window has been shown; a
  // window manager may never activate it, so the window does not wait for one.
  activated_ = true;
  QTimer::singleShot(0, this, &PelvornWindow::Form_Activate);
}

// Closing the window from its title bar ends the program like "&Beenden".
void PelvornWindow::closeEvent(QCloseEvent* event) {
  QWidget::closeEvent(event);
  if (!ended_) endProgram(ExitSuccess);
}

bool PelvornWindow::eventFilter(QObject* watched, QEvent* event) {
  const bool press = event->type() == QEvent::KeyPress;
  if ((!press && event->type() != QEvent::KeyRelease) || !watched->isWidgetType()) return false;
  auto* widget = static_cast<QWidget*>(watched);
  if (widget->window() != this) return false;
  auto* key = static_cast<QKeyEvent*>(event);
  if (press) {
    if (!IsAltQuestionMark(*key)) return false;
    Command3->animateClick();
    return true;
  }
  if (key->isAutoRepeat()) return false;
  if (key->key() != Qt::Key_F1) return false;
  // Consumed here, so the release does not travel on to the parent widgets.
  Form_KeyUp(KeyCodeF1, static_cast<int>(key->modifiers() >> 25));
  return true;
}

void PelvornWindow::endProgram(int status) {
  ended_ = true;
  exitStatus_ = status;
  close();
  QCoreApplication::exit(status);
}

// ResultView --------------------------------------------------------------

void PelvornWindow::setDistanceCaption(const QString& text) { Entfernung->setText(text); }
QString PelvornWindow::distanceCaption() const { return Entfernung->text(); }
void PelvornWindow::setDirectionCaption(const QString& text) { Richtung->setText(text); }
QString PelvornWindow::directionCaption() const { return Richtung->text(); }

void PelvornWindow::publishResultLine(const QString& line) {
  if (!platform_.putOnClipboard(line)) throw RuntimeError(RuntimeErrorKind::PlatformFailure);
  resultLine_ = line;
}

void PelvornWindow::showWithForeignLocatorFocused() {
  show();
  Text2->setFocus();
}

void PelvornWindow::endHiddenRun() {
  if (!platform_.keepClipboardAfterExit()) throw RuntimeError(RuntimeErrorKind::PlatformFailure);
  platform_.deliverHiddenResult(resultLine_);
  endProgram(ExitSuccess);
}

// CoordinateWarnings --------------------------------------------------------

void PelvornWindow::Warn(std::string_view title, std::string_view prompt) {
  platform_.warning(QString::fromUtf8(title.data(), static_cast<qsizetype>(title.size())),
                    QString::fromUtf8(prompt.data(), static_cast<qsizetype>(prompt.size())));
}

}  // namespace pelvorn
