// The window "Pelvorn" on the offscreen platform, driven through a recording
// platform: its controls, the first activation with its command line and the
// Calculate action, the guard against a second copy and the keyboard.

#include "locator/DegreesToLocator.h"
#include "platform/Platform.h"
#include "startup/ExitStatus.h"
#include "startup/Main.h"
#include "window/InfoText.h"
#include "window/PelvornWindow.h"

#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTimer>
#include <QtTest>

#include <functional>

using namespace pelvorn;

namespace {

// A platform that shows nothing and records everything: message boxes
// return at once, and each request of the program is kept in order for the
// test to read. The answers the program asks for are scripted.
class FakePlatform final : public Platform {
public:
  bool previousCopy = false, clipboardTakes = true;
  QString commandLine;
  // Boxes as "title|prompt", the reasons of beeps, every line offered to the
  // clipboard (taken or not), the result lines of hidden runs.
  QStringList warnings, informations, beeps, clipboard, delivered;
  int keepCalls = 0;

  static QString box(const QString& title, const QString& prompt) { return title + QLatin1Char('|') + prompt; }
  void warning(const QString& title, const QString& prompt) override { warnings << box(title, prompt); }
  void information(const QString& title, const QString& prompt) override { informations << box(title, prompt); }
  void beep(const QString& reason) override { beeps << reason; }
  bool putOnClipboard(const QString& line) override {
    clipboard << line;
    return clipboardTakes;
  }
  bool keepClipboardAfterExit() override {
    ++keepCalls;
    return true;
  }
  bool previousCopyRunning() override { return previousCopy; }
  QString commandLineText() override { return commandLine; }
  void deliverHiddenResult(const QString& line) override { delivered << line; }
};

// Outcomes of RunEventLoop besides the program's own exit statuses.
constexpr int StillRunning = -100;
constexpr int TimedOut = -101;

const QLocale German(QLocale::German, QLocale::Germany);
const QString ActiveCaption = QStringLiteral(" Pelvorn  V 1.0.3");
const QString LongitudeWarning =
    QString::fromUtf8(LongitudeWarningTitle) + '|' + QString::fromUtf8(LongitudeWarningPrompt);
const QString LatitudeWarning =
    QString::fromUtf8(LatitudeWarningTitle) + '|' + QString::fromUtf8(LatitudeWarningPrompt);

// Runs the application's event loop as Main does and starts `action` from
// it. Returns the status the program ended with, StillRunning once `settled`
// holds without an end, or TimedOut after five seconds.
int RunEventLoop(const std::function<void()>& action, const std::function<bool()>& settled) {
  QObject context;
  QTimer poll;
  QObject::connect(&poll, &QTimer::timeout, &context, [&] { if (settled()) QCoreApplication::exit(StillRunning); });
  QTimer::singleShot(5000, &context, [] { QCoreApplication::exit(TimedOut); });
  QTimer::singleShot(0, &context, [&] { action(); poll.start(10); });
  return QApplication::exec();
}

// Lets the first activation run as Main starts it: by showing the window,
// or for a hidden run without showing it.
int Activate(PelvornWindow& window, bool hidden = false) {
  return RunEventLoop([&] { hidden ? window.activateOnce() : window.show(); },
                      [&] { return window.windowTitle() == ActiveCaption; });
}

enum Kind { LeftLabel, CentredLabel, ResultField, Box, Button };

// A first activation: the command line, then what the window shows. `line`
// is the result offered to the clipboard, if any; a hidden run ends by itself
// with `status`, a visible one leaves the focus on `focus`.
struct Activation {
  const char* name;
  QString commandLine, text1, text2, line;
  QStringList warnings;
  int beeps, status = StillRunning;
  QString focus = {};
  bool clipboardTakes = true;
};

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

Q_DECLARE_METATYPE(Activation)
Q_DECLARE_METATYPE(Keys)

class tst_PelvornWindow : public QObject {
  Q_OBJECT

private slots:
  void initTestCase() { QApplication::setQuitOnLastWindowClosed(false); }

  void controls_data() {
    QTest::addColumn<int>("kind");
    QTest::addColumn<QString>("caption");
    QTest::addColumn<QRect>("twips");
    QTest::newRow("Label1") << int(LeftLabel) << QStringLiteral("&Eigener Locator:") << QRect(120, 300, 1275, 195);
    QTest::newRow("Text1") << int(Box) << QStringLiteral("Text1") << QRect(1440, 240, 1275, 255);
    QTest::newRow("Label2") << int(LeftLabel) << QStringLiteral("&Fremd - Locator:") << QRect(120, 660, 1275, 195);
    QTest::newRow("Text2") << int(Box) << QStringLiteral("Text2") << QRect(1440, 600, 1275, 255);
    QTest::newRow("Command2") << int(Button) << QStringLiteral("&Rechnen") << QRect(1440, 960, 1275, 435);
    QTest::newRow("Command1") << int(Button) << QStringLiteral("&Beenden") << QRect(4380, 960, 1275, 435);
    QTest::newRow("Label3") << int(CentredLabel) << QStringLiteral("Entfernung (km)") << QRect(3000, 300, 1275, 195);
    QTest::newRow("Label4") << int(CentredLabel) << QStringLiteral("Richtung (°)") << QRect(4380, 300, 1275, 195);
    QTest::newRow("Entfernung") << int(ResultField) << QStringLiteral("Entfernung") << QRect(3000, 600, 1275, 255);
    QTest::newRow("Richtung") << int(ResultField) << QStringLiteral("Richtung") << QRect(4380, 600, 1275, 255);
    QTest::newRow("Command3") << int(Button) << QStringLiteral("&?") << QRect(5520, 0, 255, 255);
  }

  // Each control as designed, before the first activation, and where it
  // lies once the window is shown.
  void controls() {
    QFETCH(int, kind);
    QFETCH(QString, caption);
    QFETCH(QRect, twips);
    FakePlatform platform;
    PelvornWindow window(platform, German);
    QCOMPARE(window.windowTitle(), QStringLiteral(" Pelvorn V1.0 "));
    QWidget* control = window.findChild<QWidget*>(QString::fromLatin1(QTest::currentDataTag()));
    QVERIFY(control && control->parentWidget() == &window && control->isVisibleTo(&window) && control->isEnabled());
    QCOMPARE(control->property("text").toString(), caption);
    QCOMPARE(control->property("default").toBool(), control == window.Command2);
    QCOMPARE(qobject_cast<QLineEdit*>(control) != nullptr, kind == Box);
    QCOMPARE(qobject_cast<QPushButton*>(control) != nullptr, kind == Button);
    if (auto* label = qobject_cast<QLabel*>(control)) {
      QCOMPARE(label->alignment() & Qt::AlignHorizontal_Mask, kind == LeftLabel ? Qt::AlignLeft : Qt::AlignHCenter);
      QCOMPARE(label->frameShape(), kind == ResultField ? QFrame::Box : QFrame::NoFrame);
      QCOMPARE(label->autoFillBackground(), kind == ResultField);
    }
    // The result fields are white like the boxes beside them, not grey like the window.
    if (kind == ResultField) {
      window.show();
      const QColor inside = control->grab().toImage().pixelColor(3, 3);
      QCOMPARE(inside, window.Text1->palette().color(QPalette::Base));
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

  void activation_data() {
    QTest::addColumn<Activation>("row");
    const QString jo62km38 = QStringLiteral("1892,585 km/139,74 °");
    const QString modeRefusal = FakePlatform::box(QStringLiteral(" Falsche Parameterbezeichnung "),
                                                  QStringLiteral("Es ist nur L oder G möglich!"));
    const int run = StillRunning;
    const Activation rows[] = {
        {"locator cut to six, one completed", "l;jo62mm1;km38", "JO62MM", "KM38MM", jo62km38, {}, 1, run, "Text2"},
        {"both completed", "L;JO62;km38", "JO62MM", "KM38MM", jo62km38, {}, 2, run, "Text2"},
        {"mode G", "G;52,5;38,5;13;27", "JO62MM", "KM38MM", "1892,82 km/139,73 °", {}, 0, run, "Text2"},
        {"mode X", "X;1;2;3;4", "", "", "", {modeRefusal}, 0, run, "Text1"},
        {"empty mode", ";JO62mm", "", "", "", {}, 0, run, "Text1"},
        {"sixth field v-", "L;JO62mm;KM38mm;;;v-", "JO62MM", "KM38MM", jo62km38, {}, 0, run, "Text1"},
        // A locator refused stops at its box, which keeps its text (written
        // back unless too short) and gets the focus.
        {"own too short, foreign not read", "L; jo ;km3", " jo ", "km3", "", {}, 1, run, "Text1"},
        {"foreign refused after own completed", "L;JO62;km38m", "JO62MM", "KM38M", "", {}, 2, run, "Text2"},
        // A missing or unreadable number earns the warning of its pair, once.
        {"longitudes missing", "G;52,5;38,5", "", "", "", {LongitudeWarning, LongitudeWarning}, 0, run, "Text1"},
        {"foreign latitude empty", "G;52,5;;13;27", "JO62MM", "", "", {LatitudeWarning}, 0, run, "Text1"},
        // Hidden runs end by themselves: 0 with their result out, 1 without.
        {"hidden run, blanks around V-", "L;JO62mm;KM38mm;;; V- ", "JO62MM", "KM38MM", jo62km38, {}, 0, ExitSuccess},
        {"hidden, locator refused", "L;JO62mm;KM3;;;V-", "JO62MM", "KM3", "", {}, 1, ExitNoResult},
        {"hidden, pair refused", "G;95;38,5;13;27;V-", "", "KM38MM", "", {LatitudeWarning}, 0, ExitNoResult},
        {"hidden, clipboard refuses", "L;JO62mm;KM38mm;;;V-", "JO62MM", "KM38MM", jo62km38, {}, 0, ExitNoResult, {},
         false},
    };
    for (const Activation& row : rows) QTest::newRow(row.name) << row;
  }

  void activation() {
    QFETCH(Activation, row);
    FakePlatform platform;
    platform.commandLine = row.commandLine;
    platform.clipboardTakes = row.clipboardTakes;
    PelvornWindow window(platform, German);
    const bool hidden = row.status != StillRunning;
    QCOMPARE(Activate(window, hidden), row.status);
    QCOMPARE(window.windowTitle(), ActiveCaption);
    QCOMPARE(window.isVisible(), !hidden);
    QCOMPARE(platform.warnings, row.warnings);
    QCOMPARE(platform.beeps.size(), row.beeps);
    const QStringList fields = row.line.isEmpty() ? QStringList(2) : row.line.chopped(2).split(QStringLiteral(" km/"));
    const QStringList shown{window.Text1->text(), window.Text2->text(),  // the boxes and the result fields
                            window.Entfernung->text(), window.Richtung->text()};
    QCOMPARE(shown, QStringList({row.text1, row.text2}) + fields);
    QCOMPARE(platform.clipboard, row.line.isEmpty() ? QStringList() : QStringList{row.line});
    QCOMPARE(platform.delivered, row.status == ExitSuccess ? QStringList{row.line} : QStringList());
    QCOMPARE(platform.keepCalls, platform.delivered.size());
    if (!hidden) QCOMPARE(window.focusWidget()->objectName(), row.focus);

    // Activation comes once per process, not with every showing.
    window.Text1->setText(QStringLiteral("x"));
    window.hide();
    QCOMPARE(Activate(window), StillRunning);
    QCOMPARE(window.Text1->text(), QStringLiteral("x"));
  }

  void guard_data() {
    QTest::addColumn<QString>("commandLine");
    QTest::addColumn<int>("status");
    QTest::newRow("plain") << QString() << int(ExitSecondCopy);
    QTest::newRow("hidden run") << QStringLiteral("L;JO62mm;KM38mm;;;V-") << int(ExitSuccess);
    QTest::newRow("hidden, no result") << QStringLiteral("L;JO62mm;KM3;;;V-") << int(ExitNoResult);
    // The switch counts only as written: neither trimmed nor case-folded.
    QTest::newRow("blank before V-") << QStringLiteral("L;JO62mm;KM38mm;;; V-") << int(ExitSecondCopy);
    QTest::newRow("v- lower case") << QStringLiteral("L;JO62mm;KM38mm;;;v-") << int(ExitSecondCopy);
  }

  // A second copy, through Main as the program starts it.
  void guard() {
    QFETCH(QString, commandLine);
    QFETCH(int, status);
    FakePlatform platform;
    platform.previousCopy = true;
    platform.commandLine = commandLine;
    QObject context;
    QTimer::singleShot(5000, &context, [] { QCoreApplication::exit(TimedOut); });
    QCOMPARE(Main(platform), status);
    const QString refusal = FakePlatform::box(QStringLiteral("Pelvorn läuft bereits "),
        QStringLiteral("Das Programm zweimal zu aktivieren ist nicht ratsam. Wenn Sie diese Möglichkeit benötigen, "
                       "so wenden Sie sich bitte an den Autor dieser Software."));
    QCOMPARE(platform.warnings, status == ExitSecondCopy ? QStringList{refusal} : QStringList());
    // A hidden copy hands its result over once; Main adds nothing.
    QCOMPARE(platform.delivered.size(), status == ExitSuccess ? 1 : 0);
    QCOMPARE(platform.keepCalls, status == ExitSuccess ? 1 : 0);
  }

  void keyboard_data() {
    QTest::addColumn<Keys>("row");
    const auto click = [](Qt::Key key, Qt::KeyboardModifiers modifiers = {}) {
      return [=](QWidget* widget) { QTest::keyClick(widget, key, modifiers); };
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
        {"Ctrl+Alt+Shift+?", "Text2", click(Qt::Key_Question, Qt::ControlModifier | Qt::AltModifier | Qt::ShiftModifier),
         Nothing, "Text2"},
    };
    for (const Keys& row : rows) QTest::newRow(row.name) << row;
  }

  void keyboard() {
    QFETCH(Keys, row);
    FakePlatform platform;
    PelvornWindow window(platform, German);
    window.setLineBreak(QStringLiteral("\r\n"));
    QCOMPARE(Activate(window), StillRunning);
    QVERIFY(QTest::qWaitForWindowActive(&window));
    window.Text1->setText(QStringLiteral("JO62mm"));
    window.Text2->setText(QStringLiteral("KM38mm"));
    window.findChild<QWidget*>(row.focus)->setFocus();
    // Access keys press their button after a moment.
    const int status = RunEventLoop([&] { row.press(QApplication::focusWidget()); },
                                    [&] { return !window.Command1->isDown() && !window.Command2->isDown() && !window.Command3->isDown(); });
    QCOMPARE(status, row.outcome == Ends ? int(ExitSuccess) : StillRunning);
    QCOMPARE(platform.clipboard.size(), row.outcome == Calculates ? 1 : 0);
    const QString info = FakePlatform::box(QStringLiteral(" Info "), InfoText(QStringLiteral("\r\n")));
    QCOMPARE(platform.informations, row.outcome == Info ? QStringList{info} : QStringList());
    if (row.outcome != Ends) QCOMPARE(QApplication::focusWidget()->objectName(), row.focusAfter);
    QVERIFY(platform.warnings.isEmpty() && platform.beeps.isEmpty());
  }
};

QTEST_MAIN(tst_PelvornWindow)
#include "PelvornWindowTest.moc"
