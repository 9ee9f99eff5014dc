// The window "Pelvorn" in Qt Widgets on the offscreen platform, driven
// through a recording platform: its controls as designed and laid out, and
// the keyboard. The behaviour behind the window is tested without a toolkit
// in the core's tests.

#include "common/ExitStatus.h"
#include "window/Platform.h"
#include "common/Text.h"
#include "common/Texts.h"
#include "platform/qt/QtText.h"
#include "platform/qt/QtWindow.h"
#include "common/CommandLine.h"
#include "window/InfoText.h"

#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTimer>
#include <QtTest>

#include <functional>

using namespace pelvorn;

namespace {

// A platform that shows nothing and records everything; the program's end
// leaves the event loop as the real one does.
class FakePlatform final : public Platform {
public:
  QStringList warnings, informations, beeps, clipboard;

  static QString box(std::u16string_view title, std::u16string_view prompt) {
    return ToQString(title) + QLatin1Char('|') + ToQString(prompt);
  }
  void warning(std::u16string_view title, std::u16string_view prompt) override { warnings << box(title, prompt); }
  void information(std::u16string_view title, std::u16string_view prompt) override {
    informations << box(title, prompt);
  }
  void beep(std::u16string_view reason) override { beeps << ToQString(reason); }
  bool putOnClipboard(std::u16string_view line) override {
    clipboard << ToQString(line);
    return true;
  }
  bool keepClipboardAfterExit() override { return true; }
  bool previousCopyRunning() override { return false; }
  bool deliverHiddenResult(std::u16string_view) override { return true; }
  void printError(std::u16string_view) override {}
  void endProgram(int status) override { QCoreApplication::exit(status); }
};

// Outcomes of RunEventLoop besides the program's own exit statuses.
constexpr int StillRunning = -100;
constexpr int TimedOut = -101;

const NumberLocale German{u','};
const QString ActiveCaption = QStringLiteral(" Pelvorn  V 1.0.3");

// Runs the application's event loop as the program does and starts `action`
// from it. Returns the status the program ended with, StillRunning once
// `settled` holds without an end, or TimedOut after five seconds.
int RunEventLoop(const std::function<void()>& action, const std::function<bool()>& settled) {
  QObject context;
  QTimer poll;
  QObject::connect(&poll, &QTimer::timeout, &context, [&] { if (settled()) QCoreApplication::exit(StillRunning); });
  QTimer::singleShot(5000, &context, [] { QCoreApplication::exit(TimedOut); });
  QTimer::singleShot(0, &context, [&] { action(); poll.start(10); });
  return QApplication::exec();
}

// Shows the window and lets its first activation run.
int ShowAndActivate(QtWindow& window) {
  return RunEventLoop([&] { window.show(); }, [&] { return window.windowTitle() == ActiveCaption; });
}

enum Kind { LeftLabel, CentredLabel, Field, Box, Button };

enum Outcome { Nothing, Info, Calculates, Ends };
// A key pressed on the control `focus` of the shown window.
struct Keys {
  const char* name;
  QString focus;
  std::function<void(QWidget*)> press;
  Outcome outcome;
  QString focusAfter = {};
};

}  // namespace

Q_DECLARE_METATYPE(Keys)

class tst_PelvornWindow : public QObject {
  Q_OBJECT

private slots:
  void initTestCase() { QApplication::setQuitOnLastWindowClosed(false); }

  void controls_data() {
    QTest::addColumn<int>("kind");
    QTest::addColumn<QString>("caption");
    QTest::addColumn<QRect>("twips");
    QTest::newRow("Label1") << int(LeftLabel) << ToQString(text::OwnLocatorLabel) << QRect(120, 300, 1275, 195);
    QTest::newRow("Text1") << int(Box) << ToQString(text::OwnLocatorBox) << QRect(1440, 240, 1275, 255);
    QTest::newRow("Label2") << int(LeftLabel) << ToQString(text::ForeignLocatorLabel) << QRect(120, 660, 1275, 195);
    QTest::newRow("Text2") << int(Box) << ToQString(text::ForeignLocatorBox) << QRect(1440, 600, 1275, 255);
    QTest::newRow("Command2") << int(Button) << ToQString(text::CalculateButton) << QRect(1440, 960, 1275, 435);
    QTest::newRow("Command1") << int(Button) << ToQString(text::QuitButton) << QRect(4380, 960, 1275, 435);
    QTest::newRow("Label3") << int(CentredLabel) << ToQString(text::DistanceHeading) << QRect(3000, 300, 1275, 195);
    QTest::newRow("Label4") << int(CentredLabel) << ToQString(text::DirectionHeading) << QRect(4380, 300, 1275, 195);
    QTest::newRow("Entfernung") << int(Field) << ToQString(text::DistanceField) << QRect(3000, 600, 1275, 255);
    QTest::newRow("Richtung") << int(Field) << ToQString(text::DirectionField) << QRect(4380, 600, 1275, 255);
    QTest::newRow("Command3") << int(Button) << ToQString(text::InfoButton) << QRect(5520, 0, 255, 255);
  }

  // Each control as designed, before the first activation, and where it
  // lies once the window is shown.
  void controls() {
    QFETCH(int, kind);
    QFETCH(QString, caption);
    QFETCH(QRect, twips);
    FakePlatform platform;
    QtWindow window(platform, nullptr, {}, German);
    QCOMPARE(window.windowTitle(), ToQString(text::DesignCaption));
    QWidget* control = window.findChild<QWidget*>(QString::fromLatin1(QTest::currentDataTag()));
    QVERIFY(control && control->parentWidget() == &window && control->isVisibleTo(&window) && control->isEnabled());
    QCOMPARE(control->property("text").toString(), caption);
    QCOMPARE(control->property("default").toBool(), control == window.button(Control::CalculateButton));
    QCOMPARE(qobject_cast<QLineEdit*>(control) != nullptr, kind == Box);
    QCOMPARE(qobject_cast<QPushButton*>(control) != nullptr, kind == Button);
    if (auto* label = qobject_cast<QLabel*>(control)) {
      QCOMPARE(label->alignment() & Qt::AlignHorizontal_Mask, kind == LeftLabel ? Qt::AlignLeft : Qt::AlignHCenter);
      QCOMPARE(label->frameShape(), kind == Field ? QFrame::Box : QFrame::NoFrame);
      QCOMPARE(label->autoFillBackground(), kind == Field);
    }
    // The result fields are white like the boxes beside them, not grey like the window.
    if (kind == Field) {
      window.show();
      const QColor inside = control->grab().toImage().pixelColor(3, 3);
      QCOMPARE(inside, window.ownLocatorBox()->palette().color(QPalette::Base));
      QVERIFY(inside != window.palette().color(QPalette::Window));
    }

    // The whole layout grows by one factor (at least 1 at 15 twips per
    // pixel), and the window keeps its size.
    window.show();
    const double scale = window.width() / 5784.0;  // pixels per twip
    QVERIFY(scale * 15 > 0.999 && window.minimumSize() == window.maximumSize());
    QVERIFY(qAbs(window.height() - 1476 * scale) <= 1);
    const QRect pixels = control->geometry();
    const int got[] = {pixels.left(), pixels.top(), pixels.width(), pixels.height()};
    const int want[] = {twips.left(), twips.top(), twips.width(), twips.height()};
    for (int i = 0; i < 4; ++i) QVERIFY2(qAbs(got[i] - want[i] * scale) <= 1, qPrintable(QString::number(got[i])));
  }

  // Upper-casing in the core gives what Qt gives for the Latin, Greek and
  // Cyrillic letters it knows.
  void capitalsAsQt() {
    const std::pair<char16_t, char16_t> blocks[] = {{0x0000, 0x017F}, {0x0386, 0x03CE}, {0x0400, 0x045F}};
    for (const auto& [first, last] : blocks) {
      for (char16_t c = first; c <= last; ++c) QCOMPARE(int(ToCapital(c)), int(QChar(c).toUpper().unicode()));
    }
  }

  void keyboard_data() {
    QTest::addColumn<Keys>("row");
    QTest::addColumn<bool>("active");
    const auto click = [](Qt::Key key, Qt::KeyboardModifiers modifiers = {}) {
      return [=](QWidget* widget) { QTest::keyClick(widget, key, modifiers); };
    };
    const auto then = [](Qt::KeyboardModifiers modifiers) {
      return [=](QWidget* widget) {
        QTest::keyClick(widget, Qt::Key_Question, modifiers);
        QTest::keyClick(widget->window()->focusWidget(), Qt::Key_Backtab, Qt::ShiftModifier);
        QTest::keyClick(widget->window()->focusWidget(), Qt::Key_Return);
      };
    };
    const Keys rows[] = {
        {"F1 released in a box", "Text1", [](QWidget* box) { QTest::keyRelease(box, Qt::Key_F1); }, Info, "Text1"},
        {"Shift+F1 on Rechnen", "Command2", click(Qt::Key_F1, Qt::ShiftModifier), Info, "Command2"},
        {"F1 pressed, not released", "Text1", [](QWidget* box) { QTest::keyPress(box, Qt::Key_F1); }, Nothing, "Text1"},
        {"F1 auto-repeat release", "Text1",
         [](QWidget* box) { QTest::simulateEvent(box, false, Qt::Key_F1, {}, {}, true); }, Nothing, "Text1"},
        {"Esc", "Text1", click(Qt::Key_Escape), Ends},
        {"Alt+B", "Text2", click(Qt::Key_B, Qt::AltModifier), Ends},
        {"Enter on Beenden", "Command1", click(Qt::Key_Return), Ends},
        {"window closed", "Text1", [](QWidget* box) { box->window()->close(); }, Ends},
        {"Enter in a box", "Text1", click(Qt::Key_Return), Calculates, "Text2"},
        {"keypad Enter", "Text2", click(Qt::Key_Enter, Qt::KeypadModifier), Calculates, "Text2"},
        {"Alt+F", "Text1", click(Qt::Key_F, Qt::AltModifier), Nothing, "Text2"},
        // "?" is typed with Shift on most layouts; either way "&?" takes the focus.
        {"Alt+?", "Text1", click(Qt::Key_Question, Qt::AltModifier), Nothing, "Command3"},
        {"Alt+Shift+?", "Text2", click(Qt::Key_Question, Qt::AltModifier | Qt::ShiftModifier), Nothing, "Command3"},
        // Keys typed right after the access key go on from "&?".
        {"Alt+?, Shift+Tab, Enter", "Text1", then(Qt::AltModifier), Ends},
        {"Alt+Shift+?, Shift+Tab, Enter", "Text1", then(Qt::AltModifier | Qt::ShiftModifier), Ends},
        {"Ctrl+Alt+Shift+?", "Text2", click(Qt::Key_Question, Qt::ControlModifier | Qt::AltModifier | Qt::ShiftModifier),
         Nothing, "Text2"},
    };
    // Each key also reaches the window before Qt has activated it (on
    // Wayland the activation comes a round trip after the keyboard).
    for (const bool active : {true, false}) {
      for (const Keys& row : rows) {
        QTest::addRow("%s%s", row.name, active ? "" : ", window not yet active") << row << active;
      }
    }
  }

  void keyboard() {
    QFETCH(Keys, row);
    QFETCH(bool, active);
    FakePlatform platform;
    QtWindow window(platform, nullptr, {}, German);
    QCOMPARE(ShowAndActivate(window), StillRunning);
    QVERIFY(QTest::qWaitForWindowActive(&window));
    window.ownLocatorBox()->setText(QStringLiteral("JO62mm"));
    window.foreignLocatorBox()->setText(QStringLiteral("KM38mm"));
    window.findChild<QWidget*>(row.focus)->setFocus();
    // Qt still holds another window active when the key comes.
    QWidget other;
    if (!active) {
      other.show();
      QVERIFY(QTest::qWaitForWindowActive(&other));
    }
    // Access keys press their button after a moment.
    const int status = RunEventLoop([&] { row.press(window.focusWidget()); },
                                    [&] {
                                      // A key that ends the program is waited for until it has.
                                      return row.outcome != Ends && !window.button(Control::QuitButton)->isDown() &&
                                             !window.button(Control::CalculateButton)->isDown() && !window.button(Control::InfoButton)->isDown();
                                    });
    QCOMPARE(status, row.outcome == Ends ? int(ExitSuccess) : StillRunning);
    QCOMPARE(platform.clipboard.size(), row.outcome == Calculates ? 1 : 0);
    const QString info = FakePlatform::box(FromUtf8(text::InfoTitle), InfoText(u"\r\n"));
    QCOMPARE(platform.informations, row.outcome == Info ? QStringList{info} : QStringList());
    if (row.outcome != Ends) QCOMPARE(window.focusWidget()->objectName(), row.focusAfter);
    QVERIFY(platform.warnings.isEmpty() && platform.beeps.isEmpty());
  }
};

QTEST_MAIN(tst_PelvornWindow)
#include "PelvornWindowTest.moc"
