// The rotator client against Hamlib's dummy rotator (rotctld -m 1) and
// rotator_stub on 127.0.0.1: mapping on the wire, every way the daemon can
// fail (each ending within its time limit), the worker following the
// antenna, and the window's antenna commands on the offscreen platform.

#include "../fakes/RecordingPlatform.h"

#include "common/Text.h"
#include "common/Texts.h"
#include "platform/qt/QtRotatorControl.h"
#include "platform/qt/QtText.h"
#include "platform/qt/QtWindow.h"
#include "rotator/Rotator.h"
#include "rotator/RotatorWorker.h"
#include "rotator/RotctldAntenna.h"

#include <QAction>
#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QtTest>
#include <gtest/gtest.h>

#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>

#include <chrono>
#include <cmath>
#include <condition_variable>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <mutex>
#include <sstream>
#include <thread>

extern char** environ;

namespace pelvorn::rotator {
namespace {

using namespace std::chrono_literals;
using Clock = std::chrono::steady_clock;

double Seconds(Clock::duration d) { return std::chrono::duration<double>(d).count(); }
Address Loopback(int port) { return {"127.0.0.1", static_cast<std::uint16_t>(port)}; }
std::string AddressOf(int port) { return AddressText(Loopback(port)); }

// A loopback port that nothing listens on (just now).
int FreePort() {
  int port = 0;
  FILE* stub = popen("'" PELVORN_ROTATOR_STUB "' free-port", "r");
  if (stub != nullptr && std::fscanf(stub, "%d", &port) != 1) port = 0;
  if (stub != nullptr) pclose(stub);
  return port;
}

// Whether something listens on 127.0.0.1:`port`, as the kernel's table says.
bool Listening(int port) {
  char wanted[32];
  std::snprintf(wanted, sizeof wanted, "0100007F:%04X 00000000:0000 0A", port);
  std::stringstream table;
  table << std::ifstream("/proc/net/tcp").rdbuf();
  return table.str().find(wanted) != std::string::npos;
}

// A peer on a free loopback port: `arguments` with PORT and LOG replaced by
// that port and a file of its own, ready once the kernel's table shows it
// listening (no probing connection: rotctld 4.5 may reset the next
// connection when one closes right after connecting); killed (SIGKILL) and
// reaped when this goes. Tests run side by side: another one may take the
// free port first, and then the peer ends at once. It gets a new port then.
class Peer {
public:
  explicit Peer(const std::vector<std::string>& arguments) {
    char pattern[] = "/tmp/rotator-peer-XXXXXX";
    directory_ = mkdtemp(pattern);
    for (int attempt = 0; attempt < 5; ++attempt) {
      port_ = FreePort();
      std::vector<std::string> actual = arguments;
      std::vector<char*> argv;
      for (std::string& argument : actual) {
        if (argument == "PORT") argument = std::to_string(port_);
        if (argument == "LOG") argument = directory_ + "/log";
        argv.push_back(argument.data());
      }
      argv.push_back(nullptr);
      if (posix_spawnp(&pid_, argv[0], nullptr, nullptr, argv.data(), environ) != 0) pid_ = -1;
      for (int i = 0; i < 100 && pid_ > 0 && waitpid(pid_, nullptr, WNOHANG) == 0; ++i) {
        if (Listening(port_)) return;
        std::this_thread::sleep_for(50ms);
      }
      if (pid_ > 0 && waitpid(pid_, nullptr, WNOHANG) != 0) pid_ = -1;  // ended (and reaped)
      kill();
    }
    throw std::runtime_error(arguments[0] + " does not start");
  }
  ~Peer() {
    kill();
    std::filesystem::remove_all(directory_);
  }
  int port() const { return port_; }
  void pause() {  // SIGSTOP: the kernel still accepts, nobody answers
    if (pid_ > 0) ::kill(pid_, SIGSTOP);
  }
  void kill() {
    if (pid_ > 0 && ::kill(pid_, SIGKILL) == 0) waitpid(pid_, nullptr, 0);
    pid_ = -1;
  }
  // The lines written to LOG so far.
  std::vector<std::string> received() const {
    std::vector<std::string> lines;
    std::ifstream log(directory_ + "/log");
    for (std::string line; std::getline(log, line);) lines.push_back(line);
    return lines;
  }

private:
  std::string directory_;
  pid_t pid_ = -1;
  int port_ = 0;
};

// Hamlib's dummy rotator with `config` (none when empty).
std::vector<std::string> Rotctld(const std::string& config = {}) {
  std::vector<std::string> arguments{"rotctld", "-m", "1", "-T", "127.0.0.1", "-t", "PORT"};
  if (!config.empty()) arguments.insert(arguments.end(), {"-C", config});
  return arguments;
}
std::vector<std::string> Stub(const std::string& mode) { return {PELVORN_ROTATOR_STUB, "serve", "PORT", mode, "LOG"}; }

TEST(RotatorClient, DummyWithSignedRangeReceivesMinus90For270) {
  Peer daemon(Rotctld("min_az=-180,max_az=180"));
  Rotator rotator(Loopback(daemon.port()));
  double sent = 0;
  const Outcome outcome = rotator.turnTo(270, sent);
  ASSERT_TRUE(outcome) << outcome.message;
  EXPECT_EQ(rotator.range().minimum, -180);
  EXPECT_EQ(sent, -90);
  // The dummy turns towards -90, which it would not for 270 (it refuses that).
  double azimuth = 0;
  for (int i = 0; i < 100 && azimuth > -1; ++i) {
    std::this_thread::sleep_for(100ms);
    ASSERT_TRUE(rotator.position(azimuth));
  }
  EXPECT_LT(azimuth, -1);
}

TEST(RotatorClient, ElevationWithinTheRotatorsLimits) {
  Peer daemon(Rotctld("min_el=10"));  // refuses an elevation of 0
  const Outcome outcome = TurnAntenna(Loopback(daemon.port()), 30);
  EXPECT_TRUE(outcome) << outcome.message;
}

// Every failure: its kind and its message, with the address and the values
// after it. Each ends well within the 3 s limit (a loaded machine may take a
// second), but a daemon that never answers in full, which ends on its 1 s limit.
TEST(RotatorClient, FailuresEndInTimeWithAClearMessage) {
  struct Case {
    const char* mode;  // stub mode; "none" nothing listens, "killed" rotctld dies mid-command
    Failure failure;
    std::string_view message;
    std::string_view second = {}, third = {}, fourth = {};
  };
  const Case cases[] = {
      {"none", Failure::Refused, text::ConnectionRefused},
      {"silent", Failure::Timeout, text::NoAnswerWithin, text::NoAnswer, "1 s"},
      {"killed", Failure::ConnectionLost, text::ConnectionLost},
      {"hangup", Failure::ConnectionLost, text::ConnectionLost},
      {"reject", Failure::Rejected, text::CommandRejected, "-5"},
      {"nolimits", Failure::BadAnswer, text::NoAzimuthRange},
      // The whole answer to \dump_state is bounded: in lines and bytes, and in time.
      {"flood", Failure::BadAnswer, text::AnswerTooLong, "\\dump_state", "200", "16"},
      {"trickle", Failure::Timeout, text::NoAnswerWithin, text::NoFullAnswer, "1 s"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.mode);
    const std::string mode = c.mode;
    const bool silent = mode == "silent" || mode == "trickle";
    std::optional<Peer> peer;
    if (mode != "none") peer.emplace(mode == "killed" ? Rotctld() : Stub(mode));
    const int port = peer ? peer->port() : FreePort();
    auto start = Clock::now();
    std::thread killer;
    if (mode == "killed") {
      peer->pause();  // connects, then waits for an answer that never comes
      killer = std::thread([&] {
        std::this_thread::sleep_for(300ms);
        start = Clock::now();
        peer->kill();
      });
    }
    const Outcome outcome = TurnAntenna(Loopback(port), 139.74, {.timeout = silent ? 1000ms : 3000ms});
    if (killer.joinable()) killer.join();
    const double took = Seconds(Clock::now() - start);
    EXPECT_EQ(outcome.failure, c.failure) << outcome.message;
    EXPECT_EQ(outcome.message, Fill(c.message, {AddressOf(port), c.second, c.third, c.fourth}));
    EXPECT_GE(took, silent ? 0.95 : 0.0);
    EXPECT_LE(took, 2.0);
  }
}

TEST(RotatorClient, UnknownHost) {
  const Outcome outcome = TurnAntenna({"no-such-host.invalid", 4533}, 139.74, {.timeout = 1000ms});
  EXPECT_EQ(outcome.failure, Failure::HostNotFound);
  EXPECT_EQ(outcome.message, Fill(text::UnknownHost, {"no-such-host.invalid"}));
}

// The worker's events come on its own thread.
TEST(RotatorWorker, FollowsTheDummyUntilItStandsThere) {
  Peer daemon(Rotctld());
  std::mutex mutex;
  std::condition_variable changed;
  std::vector<double> commanded, positions;
  std::vector<std::string> failures;
  const auto add = [&](auto& list, const auto& value) {
    std::lock_guard lock(mutex);
    list.push_back(value);
    changed.notify_all();
  };
  Worker worker(AddressOf(daemon.port()), {},
                {[&](double a) { add(commanded, a); }, [&](double a) { add(positions, a); },
                 [&](const std::string& message) { add(failures, message); }});
  worker.turnTo(3.5);
  std::unique_lock lock(mutex);
  ASSERT_TRUE(changed.wait_for(lock, 10s, [&] { return !positions.empty() && std::fabs(positions.back() - 3.5) <= 0.5; }));
  EXPECT_EQ(commanded, std::vector<double>{3.5});
  EXPECT_TRUE(failures.empty());
}

// The recording platform whose end leaves the event loop as the real one does.
struct FakePlatform : pelvorn::testing::RecordingPlatform {
  FakePlatform() { onEnd = [](int status) { QCoreApplication::exit(status); }; }
};

const NumberLocale German{u','};

// The window with the rotator at `address` (none: without one), shown and
// active, and the stub it may talk to, which outlives it.
class RotatorWindow : public ::testing::Test {
protected:
  void TearDown() override {
    window.reset();
    EXPECT_TRUE(QApplication::topLevelWidgets().isEmpty());
  }
  bool open(const std::optional<std::string>& address) {
    window.reset();
    antenna = RotctldAntenna::For(address, German.decimalSeparator);
    window = std::make_unique<QtWindow>(platform, antenna.get(), ParsedCommandLine{}, German);
    window->show();
    window->activateWindow();
    // The first activation gives the window its caption.
    return QTest::qWaitFor([&] { return window->windowTitle() != ToQString(text::DesignCaption); });
  }
  // JO62mm to KM38mm (139,74°); true once the antenna's commands are enabled.
  bool calculate() {
    window->ownLocatorBox()->setText(QStringLiteral("JO62mm"));
    window->foreignLocatorBox()->setText(QStringLiteral("KM38mm"));
    window->form().calculate();
    return !window->rotatorControl() ||
           QTest::qWaitFor([&] { return window->rotatorControl()->shortPathAction()->isEnabled(); });
  }
  QString tip() const { return window->directionField()->toolTip(); }

  std::optional<Peer> stub;
  FakePlatform platform;
  std::unique_ptr<RotctldAntenna> antenna;
  std::unique_ptr<QtWindow> window;
};

TEST_F(RotatorWindow, WithoutARotatorTheFieldIsPlain) {
  ASSERT_TRUE(open(std::nullopt));
  calculate();
  EXPECT_EQ(window->rotatorControl(), nullptr);
  EXPECT_TRUE(window->directionField()->actions().isEmpty());
  EXPECT_EQ(window->directionField()->contextMenuPolicy(), Qt::DefaultContextMenu);
  EXPECT_TRUE(tip().isEmpty());
}

// The field's two commands, in its context menu and on F7 and Shift+F7:
// enabled with a result alone, then the turn on the wire and the position
// in the tooltip (the stub stands at 0 for good).
TEST_F(RotatorWindow, ShortcutsTurnTheAntenna) {
  struct Row {
    Qt::KeyboardModifier modifier;
    std::string_view name;
    const char* command;
    const char* to;
  };
  const Row rows[] = {{Qt::NoModifier, text::TurnShortPath, "P 139.74 0.00", "139,74°"},
                      {Qt::ShiftModifier, text::TurnLongPath, "P 319.74 0.00", "319,74°"}};
  for (int i = 0; i < 2; ++i) {
    stub.emplace(Stub("answer"));
    ASSERT_TRUE(open(AddressOf(stub->port())));
    const QList<QAction*> actions = window->directionField()->actions();
    ASSERT_EQ(actions.size(), 2);
    EXPECT_EQ(actions[i]->text(), ToQString(rows[i].name));
    EXPECT_EQ(window->directionField()->contextMenuPolicy(), Qt::ActionsContextMenu);
    EXPECT_FALSE(actions[i]->isEnabled());
    // Without a result the key sends nothing: the first lines on the wire
    // are those of the turn once there is one.
    QTest::keyClick(window->foreignLocatorBox(), Qt::Key_F7, rows[i].modifier);
    ASSERT_TRUE(calculate());
    QTest::keyClick(window->foreignLocatorBox(), Qt::Key_F7, rows[i].modifier);
    ASSERT_TRUE(QTest::qWaitFor([&] { return stub->received().size() >= 3; }, 3000));
    const std::vector<std::string> lines = stub->received();
    EXPECT_EQ(std::vector(lines.begin(), lines.begin() + 3), (std::vector<std::string>{"\\dump_state", "p", rows[i].command}));
    const QString turning = ToQString(Fill(text::AntennaTurningFrom, {rows[i].to, "0,00°"}));
    EXPECT_TRUE(QTest::qWaitFor([&] { return tip() == turning; })) << ToUtf8(tip().toStdU16String());
    EXPECT_TRUE(platform.warnings.empty());
    window.reset();
  }
}

// A failure ends in the warning box, whether the daemon or the address is at fault.
TEST_F(RotatorWindow, FailuresShowInAWarningBox) {
  const std::string refused = AddressOf(FreePort());
  for (const auto& [address, message] : {std::pair{refused, Fill(text::ConnectionRefused, {refused})},
                                          std::pair{std::string("rotor:0"), Fill(text::BadAddress, {"rotor:0"})}}) {
    platform.warnings.clear();
    ASSERT_TRUE(open(address));
    ASSERT_TRUE(calculate());
    window->rotatorControl()->longPathAction()->trigger();
    ASSERT_TRUE(QTest::qWaitFor([&] { return !platform.warnings.empty(); }));
    EXPECT_EQ(platform.warnings, pelvorn::testing::Texts{FakePlatform::box(FromUtf8(text::RotatorBoxTitle),
                                                                           FromUtf8(message))});
    EXPECT_TRUE(tip().isEmpty());
  }
}

TEST_F(RotatorWindow, ClosingWhileACommandWaits) {
  stub.emplace(Stub("silent"));
  ASSERT_TRUE(open(AddressOf(stub->port())));
  ASSERT_TRUE(calculate());
  window->rotatorControl()->shortPathAction()->trigger();
  ASSERT_TRUE(QTest::qWaitFor([&] { return !stub->received().empty(); }));  // waiting for "\dump_state"
  const auto start = Clock::now();
  window.reset();
  EXPECT_LE(Seconds(Clock::now() - start), 2.0);  // not the 3 s limit
  // The worker is gone with the window: nothing it posted is left to come.
  QCoreApplication::processEvents();
  EXPECT_TRUE(platform.warnings.empty());
}

}  // namespace
}  // namespace pelvorn::rotator

// Every test runs on the offscreen platform; the window's need an application.
int main(int argc, char** argv) {
  qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication application(argc, argv);
  QApplication::setQuitOnLastWindowClosed(false);
  ::testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
