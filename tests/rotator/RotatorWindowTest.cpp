// The window's antenna commands on the offscreen platform, against
// rotator_stub: present only with a rotator, enabled only with a result,
// the shortcuts on the wire, the position in the tooltip, failures in a
// box, and a window that goes while a command waits.

#include "Peers.h"
#include "../fakes/RecordingPlatform.h"

#include "common/Text.h"
#include "common/Texts.h"
#include "window/Platform.h"
#include "platform/qt/QtRotatorControl.h"
#include "platform/qt/QtText.h"
#include "platform/qt/QtWindow.h"
#include "rotator/RotctldAntenna.h"

#include <QAction>
#include <QApplication>
#include <QElapsedTimer>
#include <QLabel>
#include <QLineEdit>
#include <QtTest>

#include <memory>

using namespace pelvorn;
using rotator::testing::Stub;

namespace {

// The recording platform whose end leaves the event loop as the real one does.
struct FakePlatform : testing::RecordingPlatform {
  FakePlatform() { onEnd = [](int status) { QCoreApplication::exit(status); }; }
};

const NumberLocale German{u','};

// A window configured for `address`, shown and active. The antenna is made
// once per test, before the window, and outlives it.
std::unique_ptr<rotator::RotctldAntenna> antenna;
std::unique_ptr<QtWindow> Window(FakePlatform& platform, const std::optional<std::string>& address) {
  antenna = rotator::RotctldAntenna::For(address, German.decimalSeparator);
  auto window = std::make_unique<QtWindow>(platform, antenna.get(), ParsedCommandLine{}, German);
  window->show();
  window->activateWindow();
  // The first activation gives the window its caption.
  if (!QTest::qWaitFor([&] { return window->windowTitle() != ToQString(text::DesignCaption); })) return nullptr;
  return window;
}

void Calculate(QtWindow& window) {
  window.ownLocatorBox()->setText(QStringLiteral("JO62mm"));
  window.foreignLocatorBox()->setText(QStringLiteral("KM38mm"));
  window.form().calculate();
}

std::string Address(int port) { return "127.0.0.1:" + std::to_string(port); }

QStringList Received(const Stub& stub) {
  QStringList lines;
  for (const std::string& line : stub.received()) lines << QString::fromStdString(line);
  return lines;
}

}  // namespace

class tst_RotatorWindow : public QObject {
  Q_OBJECT

private slots:
  void initTestCase() { QApplication::setQuitOnLastWindowClosed(false); }
  void cleanup() {
    antenna.reset();
    QVERIFY(QApplication::topLevelWidgets().isEmpty());
  }

  void withoutRotatorTheWindowIsUnchanged() {
    FakePlatform platform;
    auto window = Window(platform, std::nullopt);
    QVERIFY(window);
    Calculate(*window);
    QVERIFY(window->rotatorControl() == nullptr);
    QVERIFY(window->directionField()->actions().isEmpty());
    QCOMPARE(window->directionField()->contextMenuPolicy(), Qt::DefaultContextMenu);
    QCOMPARE(window->directionField()->toolTip(), QString());
  }

  void actionsOnlyWhileAResultIsShown() {
    Stub stub("answer");
    FakePlatform platform;
    auto window = Window(platform, Address(stub.port()));
    QVERIFY(window && window->rotatorControl());
    const QList<QAction*> actions = window->directionField()->actions();
    QCOMPARE(actions.size(), 2);
    QCOMPARE(actions[0]->text(), ToQString(text::TurnShortPath));
    QCOMPARE(actions[1]->text(), ToQString(text::TurnLongPath));
    QCOMPARE(actions[0]->shortcut(), QKeySequence(Qt::Key_F7));
    QCOMPARE(actions[1]->shortcut(), QKeySequence(Qt::SHIFT | Qt::Key_F7));
    QCOMPARE(window->directionField()->contextMenuPolicy(), Qt::ActionsContextMenu);
    QVERIFY(!actions[0]->isEnabled() && !actions[1]->isEnabled());

    Calculate(*window);
    QTRY_VERIFY(actions[0]->isEnabled() && actions[1]->isEnabled());
  }

  void shortcutsTurnTheAntenna_data() {
    QTest::addColumn<int>("modifiers");
    QTest::addColumn<QString>("command");
    QTest::addColumn<QString>("tooltip");
    QTest::newRow("F7: short path") << 0 << QStringLiteral("P 139.74 0.00")
                                    << ToQString(Fill(text::AntennaTurningFrom, {"139,74°", "0,00°"}));
    QTest::newRow("Shift+F7: long path") << int(Qt::ShiftModifier) << QStringLiteral("P 319.74 0.00")
                                         << ToQString(Fill(text::AntennaTurningFrom, {"319,74°", "0,00°"}));
  }

  void shortcutsTurnTheAntenna() {
    QFETCH(int, modifiers);
    QFETCH(QString, command);
    QFETCH(QString, tooltip);
    Stub stub("answer");  // 0..360, standing at 0 for good
    FakePlatform platform;
    auto window = Window(platform, Address(stub.port()));
    QVERIFY(window);
    // Without a result the shortcut sends nothing: the first lines on the
    // wire are those of the turn once there is one.
    QTest::keyClick(window->foreignLocatorBox(), Qt::Key_F7, Qt::KeyboardModifiers(modifiers));
    Calculate(*window);
    QTRY_VERIFY(window->rotatorControl()->shortPathAction()->isEnabled());
    QTest::keyClick(window->foreignLocatorBox(), Qt::Key_F7, Qt::KeyboardModifiers(modifiers));
    QTRY_COMPARE_WITH_TIMEOUT(Received(stub).mid(0, 3), (QStringList{QStringLiteral("\\dump_state"), QStringLiteral("p"), command}), 3000);
    QTRY_COMPARE(window->directionField()->toolTip(), tooltip);
    QCOMPARE(window->directionField()->text(), QStringLiteral("139,74"));
    QVERIFY(platform.warnings.empty());
  }

  // JO62MM to JO63MM is due north, where the dummy stands already.
  void tooltipOnceTheAntennaStands() {
    rotator::testing::Rotctld daemon;
    FakePlatform platform;
    auto window = Window(platform, Address(daemon.port()));
    QVERIFY(window);
    window->ownLocatorBox()->setText(QStringLiteral("JO62mm"));
    window->foreignLocatorBox()->setText(QStringLiteral("JO63mm"));
    window->form().calculate();
    QCOMPARE(window->directionField()->text(), QStringLiteral("0,0"));
    QTRY_VERIFY(window->rotatorControl()->shortPathAction()->isEnabled());
    window->rotatorControl()->shortPathAction()->trigger();
    QTRY_COMPARE(window->directionField()->toolTip(), ToQString(Fill(text::AntennaStands, {"0,00°"})));
    QVERIFY(platform.warnings.empty());
  }

  void failuresShowInAWarningBox() {
    FakePlatform platform;
    const int port = rotator::testing::FreePort();
    auto window = Window(platform, Address(port));
    QVERIFY(window);
    Calculate(*window);
    QTRY_VERIFY(window->rotatorControl()->longPathAction()->isEnabled());
    window->rotatorControl()->longPathAction()->trigger();
    QTRY_VERIFY(platform.warnings == testing::Texts{FakePlatform::box(
                                         FromUtf8(text::RotatorBoxTitle),
                                         FromUtf8(Fill(text::ConnectionRefused, {"127.0.0.1:" + std::to_string(port)})))});
    QCOMPARE(window->directionField()->toolTip(), QString());
  }

  void closingWhileACommandWaits() {
    Stub stub("silent");
    FakePlatform platform;
    auto window = Window(platform, Address(stub.port()));
    QVERIFY(window);
    Calculate(*window);
    QTRY_VERIFY(window->rotatorControl()->shortPathAction()->isEnabled());
    window->rotatorControl()->shortPathAction()->trigger();
    QTRY_VERIFY(!Received(stub).isEmpty());  // waiting for "\dump_state"
    QElapsedTimer clock;
    clock.start();
    window.reset();
    QVERIFY2(clock.elapsed() < 2000, qPrintable(QString::number(clock.elapsed())));  // not the 3 s limit
    // The worker is gone with the window: nothing it posted is left to come.
    QCoreApplication::processEvents();
    QVERIFY(platform.warnings.empty());
  }
};

QTEST_MAIN(tst_RotatorWindow)
#include "RotatorWindowTest.moc"
