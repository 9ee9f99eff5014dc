// The window "Pelvorn" on the offscreen platform, driven through a recording
// platform: its controls, the Calculate action, the first activation with
// its command line, the guard against a second copy and the keyboard.

#include "FakePlatform.h"

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

using pelvorn::PelvornWindow;
using pelvorn::test::FakePlatform;

namespace {

// Outcomes of RunEventLoop besides the program's own exit statuses.
constexpr int StillRunning = -100;
constexpr int TimedOut = -101;

const QLocale German(QLocale::German, QLocale::Germany);
const QString DesignCaption = QStringLiteral(" Pelvorn V1.0 ");
const QString ActiveCaption = QStringLiteral(" Pelvorn  V 1.0.3");
const QString ModeRefusal = FakePlatform::box(QStringLiteral(" Falsche Parameterbezeichnung "),
                                              QStringLiteral("Es ist nur L oder G möglich!"));
const QString LongitudeWarning = FakePlatform::box(QStringLiteral(" Falsche Längegradeingabe !"),
                                                   QStringLiteral(" ( max ±179,99999°\" ) "));
const QString LatitudeWarning = FakePlatform::box(QStringLiteral(" Falsche Breitengradeingabe !"),
                                                  QStringLiteral(" ( max ±89,99999°\" ) "));
const QString SecondCopyRefusal = FakePlatform::box(
    QStringLiteral("Pelvorn läuft bereits "),
    QStringLiteral("Das Programm zweimal zu aktivieren ist nicht ratsam. Wenn Sie diese "
                   "Möglichkeit benötigen, so wenden Sie sich bitte an den Autor dieser Software."));

// Runs the application's event loop as Main does and starts `action` from
// it. Returns the status the program ended with, StillRunning once `settled`
// holds without an end, or TimedOut after five seconds.
int RunEventLoop(const std::function<void()>& action,
                 const std::function<bool()>& settled = [] { return true; }) {
  QObject context;
  QTimer poll;
  QObject::connect(&poll, &QTimer::timeout, &context, [&] {
    if (settled()) QCoreApplication::exit(StillRunning);
  });
  QTimer watchdog;
  watchdog.setSingleShot(true);
  QObject::connect(&watchdog, &QTimer::timeout, &context, [] { QCoreApplication::exit(TimedOut); });
  watchdog.start(5000);
  QTimer::singleShot(0, &context, [&] {
    action();
    poll.start(10);
  });
  return QApplication::exec();
}

// Lets the first activation run as Main starts it: by showing the window,
// or for a hidden run without showing it.
int Activate(PelvornWindow& window, bool hidden = false) {
  return RunEventLoop(
      [&] {
        if (hidden) {
          window.activateOnce();
        } else {
          window.show();
        }
      },
      [&] { return window.windowTitle() == ActiveCaption; });
}

// The result fields as the result line shows them: {distance, direction}.
QStringList FieldsOf(const QString& line) { return line.chopped(2).split(QStringLiteral(" km/")); }

enum Action { KeyClick, KeyPress, KeyRelease, AutoRepeatRelease, MouseClick, CloseWindow };

}  // namespace

class tst_PelvornWindow : public QObject {
  Q_OBJECT

private slots:
  void initTestCase() { QApplication::setQuitOnLastWindowClosed(false); }

  void cleanup() {
    for (const QWidget* widget : QApplication::topLevelWidgets()) {
      QVERIFY2(!widget->isVisible(), qPrintable(widget->metaObject()->className() +
                                                QStringLiteral(" left open: ") + widget->windowTitle()));
    }
  }

  void controls_data() {
    QTest::addColumn<QString>("kind");
    QTest::addColumn<QString>("caption");
    QTest::addColumn<QRect>("twips");
    const auto row = [](const char* name, const char* kind, const QString& caption, QRect twips) {
      QTest::newRow(name) << QString::fromLatin1(kind) << caption << twips;
    };
    row("Label1", "left label", QStringLiteral("&Eigener Locator:"), {120, 300, 1275, 195});
    row("Text1", "box", QStringLiteral("Text1"), {1440, 240, 1275, 255});
    row("Label2", "left label", QStringLiteral("&Fremd - Locator:"), {120, 660, 1275, 195});
    row("Text2", "box", QStringLiteral("Text2"), {1440, 600, 1275, 255});
    row("Command2", "button", QStringLiteral("&Rechnen"), {1440, 960, 1275, 435});
    row("Command1", "button", QStringLiteral("&Beenden"), {4380, 960, 1275, 435});
    row("Label3", "centred label", QStringLiteral("Entfernung (km)"), {3000, 300, 1275, 195});
    row("Label4", "centred label", QStringLiteral("Richtung (°)"), {4380, 300, 1275, 195});
    row("Entfernung", "result field", QStringLiteral("Entfernung"), {3000, 600, 1275, 255});
    row("Richtung", "result field", QStringLiteral("Richtung"), {4380, 600, 1275, 255});
    row("Command3", "button", QStringLiteral("&?"), {5520, 0, 255, 255});
  }

  // Each control as designed, before the first activation.
  void controls() {
    QFETCH(QString, kind);
    QFETCH(QString, caption);
    QFETCH(QRect, twips);
    FakePlatform platform;
    PelvornWindow window(platform, German);
    QWidget* control = window.findChild<QWidget*>(QString::fromLatin1(QTest::currentDataTag()));
    QVERIFY(control);
    QCOMPARE(control->parentWidget(), &window);
    QVERIFY(control->isVisibleTo(&window) && control->isEnabled());

    if (kind == QLatin1String("box")) {
      auto* box = qobject_cast<QLineEdit*>(control);
      QVERIFY(box);
      QCOMPARE(box->text(), caption);
      QCOMPARE(box->maxLength(), 6);
    } else if (kind == QLatin1String("button")) {
      auto* button = qobject_cast<QPushButton*>(control);
      QVERIFY(button);
      QCOMPARE(button->text(), caption);
      QCOMPARE(button->isDefault(), button == window.Command2);
    } else {
      auto* label = qobject_cast<QLabel*>(control);
      QVERIFY(label);
      QCOMPARE(label->text(), caption);
      QCOMPARE(label->focusPolicy(), Qt::NoFocus);
      const bool field = kind == QLatin1String("result field");
      QCOMPARE(label->frameShape(), field ? QFrame::Box : QFrame::NoFrame);
      QCOMPARE(label->alignment() & Qt::AlignHorizontal_Mask,
               kind == QLatin1String("left label") ? Qt::AlignLeft : Qt::AlignHCenter);
      if (field) {
        QCOMPARE(label->alignment(), Qt::AlignCenter);
        QVERIFY(label->autoFillBackground());
        QCOMPARE(label->backgroundRole(), QPalette::Window);
      }
    }

    // Laid out when shown: the whole layout grows by one factor (at least 1
    // at 15 twips per pixel) and the window keeps its size.
    window.show();
    const double pixelsPerTwip = window.width() / 5784.0;
    QVERIFY2(pixelsPerTwip * 15 > 0.999, qPrintable(QString::number(window.width())));
    QCOMPARE(window.minimumSize(), window.maximumSize());
    QVERIFY(qAbs(window.height() - 1476 * pixelsPerTwip) <= 1);
    const QRect pixels = control->geometry();
    const int got[] = {pixels.left(), pixels.top(), pixels.width(), pixels.height()};
    const int want[] = {twips.left(), twips.top(), twips.width(), twips.height()};
    for (int i = 0; i < 4; ++i) {
      QVERIFY2(qAbs(got[i] - want[i] * pixelsPerTwip) <= 1,
               qPrintable(QStringLiteral("%1 px for %2 twips").arg(got[i]).arg(want[i])));
    }
  }

  void firstActivationFocusAndTyping() {
    FakePlatform platform;
    PelvornWindow window(platform, German);
    QCOMPARE(window.windowTitle(), DesignCaption);
    QCOMPARE(Activate(window), StillRunning);
    QCOMPARE(window.windowTitle(), ActiveCaption);
    for (const QString& text : {window.Text1->text(), window.Text2->text(),
                                window.Entfernung->text(), window.Richtung->text()}) {
      QCOMPARE(text, QString());
    }
    QVERIFY(QTest::qWaitForWindowActive(&window));
    QCOMPARE(QApplication::focusWidget(), window.Text1);

    // Tab runs through boxes and buttons and back; labels take no focus.
    for (QWidget* next : {static_cast<QWidget*>(window.Text2), static_cast<QWidget*>(window.Command2),
                          static_cast<QWidget*>(window.Command1), static_cast<QWidget*>(window.Command3),
                          static_cast<QWidget*>(window.Text1)}) {
      QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
      QCOMPARE(QApplication::focusWidget(), next);
    }

    // A box holds six characters, typed or assigned.
    QTest::keyClicks(window.Text1, QStringLiteral("JO62mm1"));
    QCOMPARE(window.Text1->text(), QStringLiteral("JO62mm"));
    window.Text2->setText(QStringLiteral("KM38mm1"));
    QCOMPARE(window.Text2->text(), QStringLiteral("KM38mm"));

    // Activation comes once per process, not with every showing.
    window.hide();
    QCOMPARE(Activate(window), StillRunning);
    QCOMPARE(window.Text1->text(), QStringLiteral("JO62mm"));
    QCOMPARE(platform.commandLineReads, 1);
  }

  void calculate_data() {
    QTest::addColumn<QString>("own");
    QTest::addColumn<QString>("foreign");
    QTest::addColumn<int>("beeps");
    QTest::addColumn<QString>("focus");
    QTest::addColumn<QString>("ownAfter");
    QTest::addColumn<QString>("foreignAfter");
    QTest::addColumn<QString>("line");  // empty: refused, fields and clipboard untouched
    const auto row = [](const char* name, const char* own, const char* foreign, int beeps,
                        const char* focus, const char* ownAfter, const char* foreignAfter,
                        const QString& line = {}) {
      QTest::newRow(name) << QString::fromLatin1(own) << QString::fromLatin1(foreign) << beeps
                          << QString::fromLatin1(focus) << QString::fromLatin1(ownAfter)
                          << QString::fromLatin1(foreignAfter) << line;
    };
    const QString jo62km38 = QStringLiteral("1892,585 km/139,74 °");
    row("JO62mm to KM38mm", "JO62mm", "KM38mm", 0, "Text2", "JO62MM", "KM38MM", jo62km38);
    row("KM38MM to JO62MM", "KM38MM", "JO62MM", 0, "Text2", "KM38MM", "JO62MM",
        QStringLiteral("1892,585 km/329,83 °"));
    row("JO62MM to itself", "JO62MM", "JO62MM", 0, "Text2", "JO62MM", "JO62MM",
        QStringLiteral("0,0 km/90,0 °"));
    row("JO62MM to JO63MM", "JO62MM", "JO63MM", 0, "Text2", "JO62MM", "JO63MM",
        QStringLiteral("111,137 km/0,0 °"));
    row("JO63MM to JO62MM", "JO63MM", "JO62MM", 0, "Text2", "JO63MM", "JO62MM",
        QStringLiteral("111,137 km/180,0 °"));
    row("JO62MM to RR99XX", "JO62MM", "RR99XX", 0, "Text2", "JO62MM", "RR99XX",
        QStringLiteral("4167,56 km/0,01 °"));
    row("AA00AA to RR99XX", "AA00AA", "RR99XX", 0, "Text2", "AA00AA", "RR99XX",
        QStringLiteral("19999,944 km/359,96 °"));
    row("jo62 completed", "jo62", "KM38mm", 1, "Text2", "JO62MM", "KM38MM", jo62km38);
    row("JO621 completed", "JO621", "KM38mm", 1, "Text2", "JO62MM", "KM38MM", jo62km38);
    row("blanks trimmed, then completed", "JO62  ", " JO62", 2, "Text2", "JO62MM", "JO62MM",
        QStringLiteral("0,0 km/90,0 °"));
    row("both four characters", "JO62", "km38", 2, "Text2", "JO62MM", "KM38MM", jo62km38);
    // Texts that are no locator after completion are refused at their box.
    row("JO62M1 refused", "JO62M1", "KM38mm", 1, "Text1", "JO62M1", "KM38mm");
    row("JO62M refused", "jo62m", "KM38mm", 1, "Text1", "JO62M", "KM38mm");
    row("JO6A refused", "JO6A", "KM38mm", 1, "Text1", "JO6A", "KM38mm");
    row("blank inside refused", "JO 62", "KM38mm", 1, "Text1", "JO 6MM", "KM38mm");
    row("SO62MM refused", "so62mm", "KM38mm", 1, "Text1", "SO62MM", "KM38mm");
    row("empty own box", "", "km38mm", 1, "Text1", "", "km38mm");
    row("too short keeps its blanks", " jo ", "KM38mm", 1, "Text1", " jo ", "KM38mm");
    row("own refused, foreign not read", "JO6A", "km3", 1, "Text1", "JO6A", "km3");
    row("foreign too short", "jo62mm", "KM3", 1, "Text2", "JO62MM", "KM3");
    row("foreign refused after own completed", "JO62", "km38m", 2, "Text2", "JO62MM", "KM38M");
  }

  void calculate() {
    QFETCH(QString, own);
    QFETCH(QString, foreign);
    QFETCH(int, beeps);
    QFETCH(QString, focus);
    QFETCH(QString, ownAfter);
    QFETCH(QString, foreignAfter);
    QFETCH(QString, line);
    FakePlatform platform;
    PelvornWindow window(platform, German);
    QCOMPARE(Activate(window), StillRunning);
    window.Text1->setText(own);
    window.Text2->setText(foreign);
    window.Entfernung->setText(QStringLiteral("alt"));
    window.Richtung->setText(QStringLiteral("alt"));
    window.Command3->setFocus();
    platform.forget();

    window.Command2->click();

    QCOMPARE(platform.beeps.size(), beeps);
    QCOMPARE(window.focusWidget()->objectName(), focus);
    QCOMPARE(window.Text1->text(), ownAfter);
    QCOMPARE(window.Text2->text(), foreignAfter);
    const QStringList fields = line.isEmpty() ? QStringList{QStringLiteral("alt"), QStringLiteral("alt")}
                                              : FieldsOf(line);
    QCOMPARE((QStringList{window.Entfernung->text(), window.Richtung->text()}), fields);
    QCOMPARE(platform.clipboard, line.isEmpty() ? QStringList() : QStringList{line});
    QVERIFY(window.isVisible());
    QVERIFY(platform.warnings.isEmpty() && platform.delivered.isEmpty());
  }

  void activation_data() {
    QTest::addColumn<QString>("commandLine");
    QTest::addColumn<bool>("clipboardTakes");
    QTest::addColumn<bool>("visible");
    QTest::addColumn<QString>("text1");
    QTest::addColumn<QString>("text2");
    QTest::addColumn<QString>("line");  // offered to the clipboard; empty: nothing calculated
    QTest::addColumn<QStringList>("warnings");
    QTest::addColumn<int>("beeps");
    QTest::addColumn<QString>("focus");  // checked on visible runs
    QTest::addColumn<int>("status");
    const auto row = [](const char* name, const QString& commandLine, bool visible, const char* text1,
                        const char* text2, const QString& line, const QStringList& warnings,
                        int beeps, const char* focus, int status, bool clipboardTakes = true) {
      QTest::newRow(name) << commandLine << clipboardTakes << visible << QString::fromLatin1(text1)
                          << QString::fromLatin1(text2) << line << warnings << beeps
                          << QString::fromLatin1(focus) << status;
    };
    const QString jo62km38 = QStringLiteral("1892,585 km/139,74 °");
    const QString byDegrees = QStringLiteral("1892,82 km/139,73 °");
    const int run = StillRunning;
    using pelvorn::ExitNoResult;
    using pelvorn::ExitSuccess;
    row("no command line", {}, true, "", "", {}, {}, 0, "Text1", run);
    row("mode L", QStringLiteral("L;JO62mm;KM38mm"), true, "JO62MM", "KM38MM", jo62km38, {}, 0, "Text2", run);
    row("mode l", QStringLiteral("l;jo62mm;km38mm"), true, "JO62MM", "KM38MM", jo62km38, {}, 0, "Text2", run);
    row("locator cut to six", QStringLiteral("L;JO62mm1;KM38mm"), true, "JO62MM", "KM38MM", jo62km38, {},
        0, "Text2", run);
    row("mode G", QStringLiteral("G;52,5;38,5;13;27"), true, "JO62MM", "KM38MM", byDegrees, {}, 0, "Text2", run);
    row("mode G, point form", QStringLiteral("G;52.5;38.5;13;27"), true, "JO62MM", "KM38MM", byDegrees, {},
        0, "Text2", run);
    row("mode X", QStringLiteral("X;1;2;3;4"), true, "", "", {}, {ModeRefusal}, 0, "Text1", run);
    row("blank before the mode", QStringLiteral(" L;JO62mm;KM38mm"), true, "", "", {}, {ModeRefusal}, 0,
        "Text1", run);
    row("empty mode", QStringLiteral(";JO62mm"), true, "", "", {}, {}, 0, "Text1", run);
    row("sixth field v-", QStringLiteral("L;JO62mm;KM38mm;;;v-"), true, "JO62MM", "KM38MM", jo62km38, {}, 0,
        "Text1", run);
    row("sixth field X", QStringLiteral("L;JO62mm;KM38mm;;;X"), true, "JO62MM", "KM38MM", jo62km38, {}, 0,
        "Text1", run);
    row("own latitude 95", QStringLiteral("G;95;38,5;13;27"), true, "", "KM38MM", {}, {LatitudeWarning}, 0,
        "Text1", run);
    row("bad value in both pairs", QStringLiteral("G;95;38,5;13;200"), true, "", "", {},
        {LatitudeWarning, LongitudeWarning}, 0, "Text1", run);
    row("longitudes missing", QStringLiteral("G;52,5;38,5"), true, "", "", {},
        {LongitudeWarning, LongitudeWarning}, 0, "Text1", run);
    row("foreign latitude empty", QStringLiteral("G;52,5;;13;27"), true, "JO62MM", "", {}, {LatitudeWarning},
        0, "Text1", run);
    row("foreign longitude no number", QStringLiteral("G;52,5;38,5;13;x"), true, "JO62MM", "", {},
        {LongitudeWarning}, 0, "Text1", run);
    row("own latitude nan", QStringLiteral("G;nan;38,5;13;27"), true, "", "KM38MM", {}, {LatitudeWarning},
        0, "Text1", run);
    // Hidden runs end by themselves: 0 with their result out, 1 without.
    row("hidden run", QStringLiteral("L;JO62mm;KM38mm;;;V-"), false, "JO62MM", "KM38MM", jo62km38, {}, 0, "",
        ExitSuccess);
    row("hidden run, blanks around V-", QStringLiteral("L;JO62mm;KM38mm;;; V- "), false, "JO62MM", "KM38MM",
        jo62km38, {}, 0, "", ExitSuccess);
    row("hidden run in mode G", QStringLiteral("G;52,5;38,5;13;27;V-"), false, "JO62MM", "KM38MM", byDegrees,
        {}, 0, "", ExitSuccess);
    row("hidden run, locator refused", QStringLiteral("L;JO62mm;KM3;;;V-"), false, "JO62MM", "KM3", {}, {}, 1,
        "", ExitNoResult);
    row("hidden run, mode X", QStringLiteral("X;1;2;3;4;V-"), false, "", "", {}, {ModeRefusal}, 0, "",
        ExitNoResult);
    row("hidden run, empty mode", QStringLiteral(";;;;;V-"), false, "", "", {}, {}, 0, "", ExitNoResult);
    row("hidden run, pair refused", QStringLiteral("G;95;38,5;13;27;V-"), false, "", "KM38MM", {},
        {LatitudeWarning}, 0, "", ExitNoResult);
    row("hidden run, clipboard refuses", QStringLiteral("L;JO62mm;KM38mm;;;V-"), false, "JO62MM", "KM38MM",
        jo62km38, {}, 0, "", ExitNoResult, false);
  }

  void activation() {
    QFETCH(QString, commandLine);
    QFETCH(bool, clipboardTakes);
    QFETCH(bool, visible);
    QFETCH(QString, text1);
    QFETCH(QString, text2);
    QFETCH(QString, line);
    QFETCH(QStringList, warnings);
    QFETCH(int, beeps);
    QFETCH(QString, focus);
    QFETCH(int, status);
    FakePlatform platform;
    platform.commandLine = commandLine;
    platform.clipboardTakes = clipboardTakes;
    PelvornWindow window(platform, German);
    QVERIFY(!window.refusedAtLoad());
    QCOMPARE(platform.commandLineReads, 0);  // the only copy reads it at activation

    QCOMPARE(Activate(window, !visible), status);

    QCOMPARE(window.windowTitle(), ActiveCaption);
    QCOMPARE(window.isVisible(), visible);
    QCOMPARE(platform.warnings, warnings);
    QCOMPARE(platform.beeps.size(), beeps);
    QCOMPARE(window.Text1->text(), text1);
    QCOMPARE(window.Text2->text(), text2);
    const QStringList fields = line.isEmpty() ? QStringList{QString(), QString()} : FieldsOf(line);
    QCOMPARE((QStringList{window.Entfernung->text(), window.Richtung->text()}), fields);
    QCOMPARE(platform.clipboard, line.isEmpty() ? QStringList() : QStringList{line});
    const bool delivered = status == pelvorn::ExitSuccess;
    QCOMPARE(platform.delivered, delivered ? QStringList{line} : QStringList());
    QCOMPARE(platform.keepCalls, delivered ? 1 : 0);
    if (status != StillRunning) QCOMPARE(window.exitStatus(), status);
    if (visible) QCOMPARE(window.focusWidget()->objectName(), focus);
  }

  void guard_data() {
    QTest::addColumn<QString>("commandLine");
    QTest::addColumn<int>("status");
    const int refused = pelvorn::ExitSecondCopy;
    QTest::newRow("plain") << QString() << refused;
    QTest::newRow("mode L") << QStringLiteral("L;JO62mm;KM38mm") << refused;
    QTest::newRow("hidden run") << QStringLiteral("L;JO62mm;KM38mm;;;V-") << int(pelvorn::ExitSuccess);
    QTest::newRow("hidden run in mode G") << QStringLiteral("G;52.5;38.5;13;27;V-") << int(pelvorn::ExitSuccess);
    QTest::newRow("blank before V-") << QStringLiteral("L;JO62mm;KM38mm;;; V-") << refused;
    QTest::newRow("blank after V-") << QStringLiteral("L;JO62mm;KM38mm;;;V- ") << refused;
    QTest::newRow("v- lower case") << QStringLiteral("L;JO62mm;KM38mm;;;v-") << refused;
    QTest::newRow("V- in field 3") << QStringLiteral("L;JO62mm;KM38mm;V-") << refused;
    QTest::newRow("mode X, hidden") << QStringLiteral("X;;;;;V-") << int(pelvorn::ExitNoResult);
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
    QCOMPARE(pelvorn::Main(platform), status);
    if (status == pelvorn::ExitSecondCopy) {
      QCOMPARE(platform.warnings, QStringList{SecondCopyRefusal});
      QCOMPARE(platform.commandLineReads, 1);
      QVERIFY(platform.clipboard.isEmpty() && platform.beeps.isEmpty());
      PelvornWindow window(platform, German);
      QVERIFY(window.refusedAtLoad());
      QCOMPARE(window.exitStatus(), int(pelvorn::ExitSecondCopy));
    } else {
      QVERIFY(!platform.warnings.contains(SecondCopyRefusal));
      // The hidden copy hands its result over once; Main adds nothing.
      const int results = status == pelvorn::ExitSuccess ? 1 : 0;
      QCOMPARE(platform.delivered.size(), results);
      QCOMPARE(platform.keepCalls, results);
    }
  }

  void firstCopyReadsNoCommandLineAtLoad() {
    FakePlatform platform;
    platform.commandLine = QStringLiteral("L;JO62mm;KM38mm");
    PelvornWindow window(platform, German);
    QVERIFY(!window.refusedAtLoad());
    QCOMPARE(platform.commandLineReads, 0);
    QVERIFY(platform.warnings.isEmpty());
  }

  void keyboard_data() {
    QTest::addColumn<QString>("focus");
    QTest::addColumn<int>("action");
    QTest::addColumn<int>("key");
    QTest::addColumn<int>("modifiers");
    QTest::addColumn<bool>("ends");
    QTest::addColumn<bool>("calculates");
    QTest::addColumn<int>("infos");
    QTest::addColumn<QString>("focusAfter");
    QTest::addColumn<QString>("clicked");  // the control a MouseClick clicks
    const auto row = [](const char* name, const char* focus, Action action, int key, int modifiers,
                        bool ends, bool calculates, int infos, const char* focusAfter,
                        const char* clicked = "") {
      QTest::newRow(name) << QString::fromLatin1(focus) << int(action) << key << modifiers << ends
                          << calculates << infos << QString::fromLatin1(focusAfter)
                          << QString::fromLatin1(clicked);
    };
    const int none = Qt::NoModifier;
    row("F1 released in Text1", "Text1", KeyRelease, Qt::Key_F1, none, false, false, 1, "Text1");
    row("F1 released in Text2", "Text2", KeyRelease, Qt::Key_F1, none, false, false, 1, "Text2");
    row("F1 released on Rechnen", "Command2", KeyRelease, Qt::Key_F1, none, false, false, 1, "Command2");
    row("F1 released on ?", "Command3", KeyRelease, Qt::Key_F1, none, false, false, 1, "Command3");
    row("F1 pressed and released", "Text1", KeyClick, Qt::Key_F1, none, false, false, 1, "Text1");
    row("Shift+F1", "Text1", KeyClick, Qt::Key_F1, Qt::ShiftModifier, false, false, 1, "Text1");
    row("F1 pressed, not released", "Text1", KeyPress, Qt::Key_F1, none, false, false, 0, "Text1");
    row("F1 auto-repeat release", "Text1", AutoRepeatRelease, Qt::Key_F1, none, false, false, 0, "Text1");
    row("F2", "Text1", KeyClick, Qt::Key_F2, none, false, false, 0, "Text1");
    row("Esc in Text1", "Text1", KeyClick, Qt::Key_Escape, none, true, false, 0, "");
    row("Esc on Rechnen", "Command2", KeyClick, Qt::Key_Escape, none, true, false, 0, "");
    row("Alt+B", "Text2", KeyClick, Qt::Key_B, Qt::AltModifier, true, false, 0, "");
    row("Enter on Beenden", "Command1", KeyClick, Qt::Key_Return, none, true, false, 0, "");
    row("Space on Beenden", "Command1", KeyClick, Qt::Key_Space, none, true, false, 0, "");
    row("click on Beenden", "Text1", MouseClick, 0, none, true, false, 0, "", "Command1");
    row("window closed", "Text1", CloseWindow, 0, none, true, false, 0, "");
    row("Enter in Text1", "Text1", KeyClick, Qt::Key_Return, none, false, true, 0, "Text2");
    row("keypad Enter in Text2", "Text2", KeyClick, Qt::Key_Enter, Qt::KeypadModifier, false, true, 0, "Text2");
    row("Enter on Rechnen", "Command2", KeyClick, Qt::Key_Return, none, false, true, 0, "Text2");
    row("Enter on ?", "Command3", KeyClick, Qt::Key_Return, none, false, false, 0, "Command3");
    row("Alt+R", "Text1", KeyClick, Qt::Key_R, Qt::AltModifier, false, true, 0, "Text2");
    row("Alt+F", "Text1", KeyClick, Qt::Key_F, Qt::AltModifier, false, false, 0, "Text2");
    row("Alt+E", "Command1", KeyClick, Qt::Key_E, Qt::AltModifier, false, false, 0, "Text1");
    row("click on ?", "Text1", MouseClick, 0, none, false, false, 0, "Command3", "Command3");
    row("click on Entfernung", "Text1", MouseClick, 0, none, false, false, 0, "Text1", "Entfernung");
  }

  void keyboard() {
    QFETCH(QString, focus);
    QFETCH(int, action);
    QFETCH(int, key);
    QFETCH(int, modifiers);
    QFETCH(bool, ends);
    QFETCH(bool, calculates);
    QFETCH(int, infos);
    QFETCH(QString, focusAfter);
    QFETCH(QString, clicked);
    FakePlatform platform;
    PelvornWindow window(platform, German);
    window.setLineBreak(QStringLiteral("\r\n"));
    QCOMPARE(Activate(window), StillRunning);
    QVERIFY(QTest::qWaitForWindowActive(&window));
    window.Text1->setText(QStringLiteral("JO62mm"));
    window.Text2->setText(QStringLiteral("KM38mm"));
    QWidget* focused = window.findChild<QWidget*>(focus);
    focused->setFocus();
    QCOMPARE(QApplication::focusWidget(), focused);

    const auto qtKey = Qt::Key(key);
    const auto qtModifiers = Qt::KeyboardModifiers(modifiers);
    const int status = RunEventLoop(
        [&] {
          switch (Action(action)) {
            case KeyClick: QTest::keyClick(focused, qtKey, qtModifiers); break;
            case KeyPress: QTest::keyPress(focused, qtKey, qtModifiers); break;
            case KeyRelease: QTest::keyRelease(focused, qtKey, qtModifiers); break;
            case AutoRepeatRelease: QTest::simulateEvent(focused, false, key, qtModifiers, {}, true); break;
            case MouseClick: QTest::mouseClick(window.findChild<QWidget*>(clicked), Qt::LeftButton); break;
            case CloseWindow: window.close(); break;
          }
        },
        // Access keys press their button after a moment.
        [&] { return !window.Command1->isDown() && !window.Command2->isDown() && !window.Command3->isDown(); });

    QCOMPARE(status, ends ? int(pelvorn::ExitSuccess) : StillRunning);
    QCOMPARE(window.isVisible(), !ends);
    QCOMPARE(platform.clipboard.size(), calculates ? 1 : 0);
    QStringList expectedInfos;
    for (int i = 0; i < infos; ++i) {
      expectedInfos << FakePlatform::box(QStringLiteral(" Info "), pelvorn::InfoText(QStringLiteral("\r\n")));
    }
    QCOMPARE(platform.informations, expectedInfos);
    if (infos > 0) {
      QVERIFY(platform.informations.front().startsWith(QStringLiteral(" Info |Pelvorn V 1.0.3 ")));
      QCOMPARE(platform.informations.front().count(QStringLiteral("\r\n")), 23);
    }
    if (!ends) QCOMPARE(QApplication::focusWidget()->objectName(), focusAfter);
    QVERIFY(platform.warnings.isEmpty() && platform.beeps.isEmpty());
  }
};

QTEST_MAIN(tst_PelvornWindow)
#include "PelvornWindowTest.moc"
