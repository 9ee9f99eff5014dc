// The window "Pelvorn" in Qt Widgets on the offscreen platform, driven
// through a recording platform: its controls as designed and laid out, and
// the keyboard. The behaviour behind the window is tested without a toolkit
// in the core's tests.

#include "common/ExitStatus.h"
#include "common/Text.h"
#include "common/Texts.h"
#include "platform/qt/QtMapWindow.h"
#include "platform/qt/QtText.h"
#include "platform/qt/QtWindow.h"
#include "window/ControlTable.h"
#include "window/InfoText.h"

#include "../fakes/RecordingPlatform.h"

#include <QAction>
#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTimer>
#include <QtTest>

#include <functional>

using namespace pelvorn;

namespace {

// The recording platform whose end leaves the event loop as the real one does.
struct FakePlatform : testing::RecordingPlatform {
  FakePlatform() { onEnd = [](int status) { QCoreApplication::exit(status); }; }
};

// Outcomes of RunEventLoop besides the program's own exit statuses.
constexpr int StillRunning = -100;
constexpr int TimedOut = -101;

const NumberLocale German{u','};

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

enum Outcome { Nothing, Info, Calculates, Ends };
// A key pressed on the control `focus` of the shown window.
struct Keys {
  const char* name; QString focus; std::function<void(QWidget*)> press; Outcome outcome; QString focusAfter = {};
};

}  // namespace

Q_DECLARE_METATYPE(Keys)

class tst_PelvornWindow : public QObject {
  Q_OBJECT

private slots:
  void initTestCase() { QApplication::setQuitOnLastWindowClosed(false); }

  // Each control of the table as built before the first activation, and
  // where it lies once the window is shown.
  void controls() {
    FakePlatform platform;
    QtWindow window(platform, nullptr, {}, German);
    QCOMPARE(window.windowTitle(), ToQString(text::DesignCaption));
    window.show();
    // The whole layout grows by one factor (at least 1 at 15 twips per
    // pixel), and the window keeps its size.
    const double scale = window.width() / double(ClientWidthTwips);  // pixels per twip
    QVERIFY(scale * TwipsPerPixelAt96Dpi > 0.999 && window.minimumSize() == window.maximumSize());
    QVERIFY(qAbs(window.height() - ClientHeightTwips * scale) <= 1);
    for (const ControlEntry& entry : Controls) {
      const QString name = QString::fromLatin1(entry.name.data(), qsizetype(entry.name.size()));
      QWidget* control = window.findChild<QWidget*>(name);
      QVERIFY2(control && control->parentWidget() == &window && control->isVisible() && control->isEnabled(),
               qPrintable(name));
      QCOMPARE(control->property("text").toString(), ToQString(entry.caption));
      QCOMPARE(control->property("default").toBool(), entry.control == Control::CalculateButton);
      QCOMPARE(qobject_cast<QLineEdit*>(control) != nullptr, entry.kind == ControlKind::TextBox);
      QCOMPARE(qobject_cast<QPushButton*>(control) != nullptr, entry.kind == ControlKind::Button);
      const bool field = entry.kind == ControlKind::ResultField;
      if (auto* label = qobject_cast<QLabel*>(control)) {
        QCOMPARE(label->alignment() & Qt::AlignHorizontal_Mask,
                 entry.alignment == Alignment::Left ? Qt::AlignLeft : Qt::AlignHCenter);
        QCOMPARE(label->frameShape(), field ? QFrame::Box : QFrame::NoFrame);
      }
      // The result fields are white like the boxes beside them, not grey like the window.
      if (field) {
        const QColor inside = control->grab().toImage().pixelColor(3, 3);
        QCOMPARE(inside, window.ownLocatorBox()->palette().color(QPalette::Base));
        QVERIFY(inside != window.palette().color(QPalette::Window));
      }
      const QRect pixels = control->geometry();
      const int got[] = {pixels.left(), pixels.top(), pixels.width(), pixels.height()};
      const int want[] = {entry.twips.left, entry.twips.top, entry.twips.width, entry.twips.height};
      for (int i = 0; i < 4; ++i) QVERIFY2(qAbs(got[i] - want[i] * scale) <= 1, qPrintable(name));
    }
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
        // "?" is typed with Shift on most layouts; either way "&?" takes the
        // focus at once: keys typed right after go on from there.
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
    // Shown, and its first activation (which sets the caption) has run.
    const auto activated = [&] { return window.windowTitle() != ToQString(text::DesignCaption); };
    QCOMPARE(RunEventLoop([&] { window.show(); }, activated), StillRunning);
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
    // Access keys press their button after a moment; a key that ends the
    // program is waited for until it has.
    const int status = RunEventLoop([&] { row.press(window.focusWidget()); }, [&] {
      const auto down = [&](Control which) { return window.button(which)->isDown(); };
      return row.outcome != Ends && !down(Control::QuitButton) && !down(Control::CalculateButton) &&
             !down(Control::InfoButton);
    });
    QCOMPARE(status, row.outcome == Ends ? int(ExitSuccess) : StillRunning);
    QCOMPARE(platform.clipboard.size(), row.outcome == Calculates ? 1u : 0u);
    const std::u16string info = FakePlatform::box(FromUtf8(text::InfoTitle), InfoText(u"\r\n"));
    QVERIFY(platform.informations == (row.outcome == Info ? testing::Texts{info} : testing::Texts{}));
    if (row.outcome != Ends) QCOMPARE(window.focusWidget()->objectName(), row.focusAfter);
    QVERIFY(platform.warnings.empty() && platform.beeps.empty());
  }

  // F8 opens the map window, which shows the hint before any result, then
  // the map at its client area's smaller side; a Calculate and a resize
  // redraw it, Esc closes it. "Karte" is in the window's context menu.
  void mapWindow() {
    FakePlatform platform;
    QtWindow window(platform, nullptr, {}, German);
    const auto activated = [&] { return window.windowTitle() != ToQString(text::DesignCaption); };
    QCOMPARE(RunEventLoop([&] { window.show(); }, activated), StillRunning);
    QVERIFY(QTest::qWaitForWindowActive(&window));
    QVERIFY(window.contextMenuPolicy() == Qt::ActionsContextMenu && window.actions().contains(window.mapAction()));
    QCOMPARE(window.mapAction()->text(), ToQString(text::MapCommand));
    QtMapWindow& map = window.mapWindow();
    QTest::keyClick(window.ownLocatorBox(), Qt::Key_F8);
    QVERIFY(map.isVisible() && map.image().isNull());
    QCOMPARE(map.windowTitle(), ToQString(text::MapWindowTitle));
    QCOMPARE(map.hint(), ToQString(text::MapHint));
    QVERIFY(QTest::qWaitForWindowActive(&map));
    const auto calculate = [&](const char* foreign) {
      window.activateWindow();
      window.ownLocatorBox()->setText(QStringLiteral("JO62mm"));
      window.foreignLocatorBox()->setText(QString::fromLatin1(foreign));
      QTest::keyClick(window.foreignLocatorBox(), Qt::Key_Return);
    };
    calculate("KM38mm");
    const QImage first = map.image();
    QCOMPARE(first.size(), QSize(qMin(map.width(), map.height()), qMin(map.width(), map.height())));
    calculate("FN31pr");
    QVERIFY(!map.image().isNull() && map.image() != first);
    map.resize(map.width() + 40, 240);
    QTRY_COMPARE(map.image().size(), QSize(240, 240));
    QTest::keyClick(&map, Qt::Key_Escape);
    QVERIFY(!map.isVisible());
    QVERIFY(window.isVisible());
    QCOMPARE(platform.clipboard.size(), 2u);
  }
};

QTEST_MAIN(tst_PelvornWindow)
#include "PelvornWindowTest.moc"
