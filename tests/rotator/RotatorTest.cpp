// The rotator client: its rules without a network (addresses, the mapping
// into a rotator's range, the protocol lines, the settings file, the
// command-line option, the tooltips of the antenna commands); then against Hamlib's
// dummy rotator (rotctld -m 1) and rotator_stub on 127.0.0.1: mapping on the
// wire, every way the daemon can fail (each ending within its time limit),
// and the window's antenna commands on the offscreen platform.

#include "../fakes/RecordingPlatform.h"

#include "common/Text.h"
#include "common/Texts.h"
#include "platform/qt/QtRotatorControl.h"
#include "platform/qt/QtText.h"
#include "platform/qt/QtWindow.h"
#include "rotator/AntennaPresenter.h"
#include "rotator/AzimuthRange.h"
#include "rotator/RotctldRotator.h"
#include "rotator/RotatorAddress.h"
#include "rotator/RotatorSettings.h"
#include "rotator/PstLines.h"
#include "rotator/RotctlLines.h"
#include "rotator/RotatorAntenna.h"

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
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <limits>
#include <sstream>
#include <thread>

extern char** environ;

namespace pelvorn::rotator {
namespace {

TEST(RotatorAddress, ReadsHostAndPort) {
  struct Case { const char* text; const char* host; int port; };
  const Case cases[] = {
      {"localhost", "localhost", 4533},
      {" 127.0.0.1:4600 ", "127.0.0.1", 4600},
      {"rotor.example-net.de:1", "rotor.example-net.de", 1},
      {"[::1]", "::1", 4533},
      {"[::1]:65535", "::1", 65535},
      {"::1", "::1", 4533},
      {"fe80::1%lo", "fe80::1%lo", 4533},
      {"pst:127.0.0.1", "127.0.0.1", 12000},
      {"pst:shack:12040", "shack", 12040},
  };
  for (const Case& c : cases) {
    const auto address = ParseAddress(c.text);
    ASSERT_TRUE(address) << c.text;
    EXPECT_EQ(address->host, c.host);
    EXPECT_EQ(address->port, c.port);
  }
  for (const char* bad : {"", ":4533", "localhost:", "localhost:0", "localhost:65536", "localhost:45a",
                          "localhost:+45", "[::1]4533", "[::1", "[127.0.0.1]", "L;JO62mm;KM38mm;;;V-",
                          "pst:", "pst:shack:65535"}) {
    EXPECT_FALSE(ParseAddress(bad)) << bad;
  }
  EXPECT_EQ(AddressText({"::1", 4533}), "[::1]:4533");
  EXPECT_EQ(ParseAddress("pst:shack")->protocol, Protocol::PstRotator);
  EXPECT_EQ(AddressText(*ParseAddress("pst:shack")), "pst:shack:12000");
  EXPECT_EQ(BadAddressMessage(" x:0 "), Fill(text::BadAddress, {"x:0"}));
}

TEST(AzimuthRange, MapsIntoTheRotatorsRange) {
  const AzimuthRange full{0, 360};
  const AzimuthRange signedRange{-180, 180};
  const AzimuthRange overlap{0, 450};
  const AzimuthRange half{0, 180};
  struct Case {
    double direction;
    AzimuthRange range;
    std::optional<double> current;
    std::optional<double> expected;
  };
  const Case cases[] = {
      {360, full, {}, 0},         // 0 is nearer to the direction taken into 0..360
      {-90, full, {}, 270},
      {180, signedRange, {}, 180},
      {180.01, signedRange, {}, -179.99},
      {30, overlap, 400.0, 390},  // an overlap rotator near 400 takes the short way
      {30, overlap, 200.0, 30},
      {100, overlap, 440.0, 100}, // 460 lies outside
      {180.5, half, {}, std::nullopt},
      {std::numeric_limits<double>::quiet_NaN(), full, {}, std::nullopt},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(::testing::Message() << c.direction << " in " << c.range.minimum << ".." << c.range.maximum);
    const auto mapped = MapIntoRange(c.direction, c.range, c.current);
    ASSERT_EQ(mapped.has_value(), c.expected.has_value());
    if (mapped) {
      EXPECT_NEAR(*mapped, *c.expected, 1e-9);
    }
  }
}

// A dump_state of Hamlib's own is read in RotatorClient.DummyTakesItsLimits.
TEST(AzimuthRange, ReadsTheLimitsOfDumpState) {
  EXPECT_FALSE(RangeFromDumpState({"1", "1", "max_az=360"}));
  EXPECT_FALSE(RangeFromDumpState({"min_az=360", "max_az=0"}));
  EXPECT_FALSE(RangeFromDumpState({"min_az=0,0", "max_az=360"}));
  EXPECT_FALSE(RangeFromDumpState({}));
  EXPECT_EQ(ElevationFromDumpState({"min_el=-90.000000", "max_el=-5.000000"}), -5.0);
}

TEST(RotctlLines, WritesNumbersWithADecimalPoint) {
  struct Case { double value; const char* text; };
  const Case cases[] = {{139.7371278, "139.74"}, {-90, "-90.00"},     {0, "0.00"},
                        {-0.001, "0.00"},        {359.999, "360.00"}, {449.995, "450.00"}};
  for (const Case& c : cases) {
    EXPECT_EQ(FormatDegrees(c.value), c.text) << c.value;
  }
}

TEST(RotctlLines, ReadsNumbersAndReports) {
  EXPECT_EQ(ParseNumber("3.01"), 3.01);
  EXPECT_EQ(ParseNumber(" -17.99\r"), -17.99);
  EXPECT_EQ(ParseNumber("+5"), 5.0);
  for (const char* bad : {"", "139,74", "nan", "inf", "1.2.3", "12 3", "RPRT 0"}) {
    EXPECT_FALSE(ParseNumber(bad)) << bad;
  }
  EXPECT_EQ(ParseReport("RPRT 0"), 0);
  EXPECT_EQ(ParseReport("RPRT -1\r"), -1);
  for (const char* bad : {"RPRT", "RPRT x", "rprt 0", "0.00", "RPRT 0 1"}) EXPECT_FALSE(ParseReport(bad)) << bad;
}

TEST(PstLines, WritesCommandsAndReadsAnswers) {
  struct Command { double azimuth; const char* datagram; };
  for (const Command& c : {Command{139.74, "<PST><AZIMUTH>139.7</AZIMUTH></PST>"},
                           Command{139.96, "<PST><AZIMUTH>140</AZIMUTH></PST>"},
                           Command{0.04, "<PST><AZIMUTH>0</AZIMUTH></PST>"},
                           Command{-0.5, "<PST><AZIMUTH>-0.5</AZIMUTH></PST>"}}) {
    EXPECT_EQ(pst::AzimuthCommand(c.azimuth), c.datagram) << c.azimuth;
  }
  struct Answer { const char* datagram; std::optional<double> azimuth; };
  const Answer answers[] = {
      {"AZ:139\r", 139},        {"AZ:139", 139},       {"AZ:139.5\r", 139.5}, {"AZ:-12\r\n", -12},
      {"AZ: 7 \rEL:0\r", 7},    {"AZ:450", 450},       {"AZ:\r", {}},         {"AZ:13,5", {}},
      {"EL:10\r", {}},           {"hello", {}},         {"az:139", {}},         {"AZ:nan", {}},
      {"AZ:1e9", {}},            {"xAZ:139", {}},       {"", {}},
  };
  for (const Answer& a : answers) EXPECT_EQ(pst::ParseAzimuthAnswer(a.datagram), a.azimuth) << a.datagram;
}

// A window that records the tooltips it is given (its boxes: the window's
// FailuresShowInAWarningBox).
class RecordingView final : public AntennaView {
public:
  bool result = true;
  std::u16string caption;
  std::vector<std::u16string> tips;
  bool showsResult() const override { return result; }
  std::u16string directionCaption() const override { return caption; }
  void setTip(std::u16string_view text) override { tips.emplace_back(text); }
  void warn(std::u16string_view, std::u16string_view) override {}
};

TEST(AntennaPresenter, TurnsToTheShownDirection) {
  struct Case { bool result; const char16_t* caption; char16_t separator; bool longPath; std::optional<double> sent; };
  const Case cases[] = {
      {true, u"200.5", u'.', true, 20.5},
      {true, u"0,0", u',', false, 0.0},
      {false, u"139,74", u',', false, std::nullopt},  // no result shown
      {true, u"139.74", u',', false, std::nullopt},   // the field as the window shows it
      {true, u"\u0661\u0663", u',', false, std::nullopt},
  };
  for (const Case& c : cases) {
    RecordingView view;
    view.result = c.result;
    view.caption = c.caption;
    std::vector<double> sent;
    AntennaPresenter presenter(view, c.separator, [&sent](double azimuth) { sent.push_back(azimuth); });
    presenter.turn(c.longPath);
    ASSERT_EQ(sent.size(), c.sent ? 1u : 0u) << ToUtf8(c.caption);
    if (c.sent) {
      EXPECT_NEAR(sent[0], *c.sent, 1e-9);
      EXPECT_EQ(view.tips, std::vector<std::u16string>{u""});  // the old position goes
    }
  }
}

TEST(AntennaPresenter, TellsWhereTheAntennaStands) {
  struct Case {
    char16_t separator; double commanded; std::optional<double> position; std::string tip; bool fails = false;
  };
  const Case cases[] = {
      {u',', 139.74, std::nullopt, Fill(text::AntennaTurning, {"139,74°"})},
      {u',', 139.74, 139.3, Fill(text::AntennaStands, {"139,30°"})},
      {u',', 139.74, 139.2, Fill(text::AntennaTurningFrom, {"139,74°", "139,20°"})},
      {u'.', 319.74, 320.2, Fill(text::AntennaStands, {"320.20°"})},
      {u',', 10.0, std::nullopt, "", true},  // a failure clears the tooltip
  };
  for (const Case& c : cases) {
    RecordingView view;
    AntennaPresenter presenter(view, c.separator, [](double) {});
    presenter.commanded(c.commanded);
    if (c.position) presenter.position(*c.position);
    if (c.fails) presenter.failed("any failure");
    ASSERT_FALSE(view.tips.empty());
    EXPECT_EQ(ToUtf8(view.tips.back()), c.tip);
  }
}

TEST(RotatorSettings, ReadsTheSettingsFile) {
  const char* text =
      "; Pelvorn\n"
      "[General]\nAddress=wrong:1\n"
      "[Rotator]\r\n"
      "# comment\n"
      "  Address = rotor:4600 \r\n"
      "[Other]\nAddress=wrong:2\n";
  EXPECT_EQ(IniValue(text, "Rotator", "Address"), "rotor:4600");
  EXPECT_EQ(IniValue("[rotator]\naddress=\"[::1]:4533\"\n", "Rotator", "Address"), "[::1]:4533");
  EXPECT_EQ(IniValue("[Rotator]\nAddress=a:1\nAddress=b:2", "Rotator", "Address"), "b:2");
  EXPECT_FALSE(IniValue("Address=a:1\n[Rotator]\n", "Rotator", "Address"));
  EXPECT_FALSE(IniValue("[Rotator]\nAdresse=a:1\n", "Rotator", "Address"));
}

TEST(RotatorSettings, SkipsAByteOrderMarkAndNamesUtf16) {
  const std::string ini = "[Rotator]\r\nAddress=rotor:4600\r\n";
  std::string le = "\xFF\xFE", be = "\xFE\xFF";
  for (char c : ini) le += {c, '\0'}, be += {'\0', c};
  const auto path = std::filesystem::path(::testing::TempDir()) / "Pelvorn.conf";
  const std::string name = path.string();
  for (const auto& [bytes, shown] : {std::pair<std::string, std::string>{"\xEF\xBB\xBF" + ini, "rotor:4600"},
       {le, Fill(text::SettingsFileNotUtf8, {name, "UTF-16 LE"})}, {be, Fill(text::SettingsFileNotUtf8, {name, "UTF-16 BE"})}}) {
    std::ofstream(path, std::ios::binary) << bytes;
    const std::string value = AddressFromSettingsFile(path).value_or("(none)");
    EXPECT_EQ(ParseAddress(value) ? value : BadAddressMessage(value), shown);
  }
  std::filesystem::remove(path);
}

TEST(RotatorSettings, TheOptionBeforeTheSettingsFile) {
  const std::filesystem::path home = std::filesystem::temp_directory_path() / "pelvorn-rotator-settings";
  std::filesystem::create_directories(home / "pelvorn");
  std::ofstream(home / "pelvorn" / "Pelvorn.conf") << "[Rotator]\nAddress=rotor:4600\n";
  const std::string before = std::getenv("XDG_CONFIG_HOME") ? std::getenv("XDG_CONFIG_HOME") : "";
  setenv("XDG_CONFIG_HOME", home.c_str(), 1);
  EXPECT_EQ(ChooseRotator(std::nullopt).address, "rotor:4600");
  EXPECT_EQ(ChooseRotator("[::1]").address, "[::1]");
  EXPECT_EQ(ChooseRotator("").error, BadAddressMessage(""));
  EXPECT_FALSE(ChooseRotator("x:0").address);
  std::filesystem::remove_all(home);
  before.empty() ? unsetenv("XDG_CONFIG_HOME") : setenv("XDG_CONFIG_HOME", before.c_str(), 1);
}

// --- Against peers on 127.0.0.1 ------------------------------------------

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

// Hamlib's dummy rotator with `config`.
std::vector<std::string> Rotctld(const std::string& config) {
  return {"rotctld", "-m", "1", "-T", "127.0.0.1", "-t", "PORT", "-C", config};
}
std::vector<std::string> Stub(const std::string& mode) {
  return {PELVORN_ROTATOR_STUB, "serve", "PORT", mode, "LOG"};
}

// The dummy refuses 270 in -180..120 and an elevation of 0 below min_el=10;
// 139.74 is nowhere in its range.
TEST(RotatorClient, DummyTakesItsLimits) {
  Peer daemon(Rotctld("min_az=-180,max_az=120,min_el=10"));
  RotctldRotator rotator(Loopback(daemon.port()));
  Turn turn;
  const Outcome outcome = rotator.turnTo(270, turn);
  ASSERT_TRUE(outcome) << outcome.message;
  EXPECT_EQ(rotator.range().minimum, -180);
  EXPECT_EQ(turn.sent, -90);
  EXPECT_EQ(TurnAntenna(Loopback(daemon.port()), 139.74).message,
            Fill(text::OutOfAzimuthRange, {"139,74°", AddressOf(daemon.port()), "-180,00°", "120,00°"}));
}

// Every failure of a daemon that listens (the others: the window's
// FailuresShowInAWarningBox): its kind and its message, with the address and
// the values after it. Each ends well within the 3 s limit (a loaded machine
// may take a second), but a daemon that never answers, which ends on the
// default limit of 3 s, and one that never answers in full on a limit of 1 s.
TEST(RotatorClient, FailuresEndInTimeWithAClearMessage) {
  struct Case {
    const char* mode;  // of the stub
    Failure failure;
    std::string_view message;
    std::string_view second = {}, third = {}, fourth = {};
  };
  const Case cases[] = {
      {"silent", Failure::Timeout, text::NoAnswerWithin, text::NoAnswer, "3 s"},
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
    const double limit = mode == "silent" ? 3 : mode == "trickle" ? 1 : 0;
    const Peer peer(Stub(mode));
    const auto start = Clock::now();
    Options options;
    if (limit == 1) options.timeout = 1000ms;
    const Outcome outcome = TurnAntenna(Loopback(peer.port()), 139.74, options);
    const double took = Seconds(Clock::now() - start);
    EXPECT_EQ(outcome.failure, c.failure) << outcome.message;
    EXPECT_EQ(outcome.message, Fill(c.message, {AddressOf(peer.port()), c.second, c.third, c.fourth}));
    EXPECT_GE(took, limit * 0.95);
    EXPECT_LE(took, limit + 2.0);
  }
}

// The recording platform whose end leaves the event loop as the real one does.
struct FakePlatform : pelvorn::testing::RecordingPlatform {
  FakePlatform() { onEnd = [](int status) { QCoreApplication::exit(status); }; }
};

const NumberLocale German{u','};

// The window with the rotator at `address` (without one: tests/window), shown and
// active, and the peer it may talk to, which outlives it.
class RotatorWindow : public ::testing::Test {
protected:
  void TearDown() override {
    window.reset();
    EXPECT_TRUE(QApplication::topLevelWidgets().isEmpty());
  }
  bool open(const std::string& address) {
    window.reset();
    antenna = RotatorAntenna::For(address, German.decimalSeparator);
    window = std::make_unique<QtWindow>(platform, antenna.get(), ParsedCommandLine{}, German);
    window->show();
    window->activateWindow();
    // The first activation gives the window its caption.
    return QTest::qWaitFor([&] { return window->windowTitle() != ToQString(text::DesignCaption); });
  }
  // JO62mm to `foreign`; true once the antenna's commands are enabled.
  bool calculate(const char* foreign = "KM38mm") {
    window->ownLocatorBox()->setText(QStringLiteral("JO62mm"));
    window->foreignLocatorBox()->setText(QString::fromUtf8(foreign));
    window->form().calculate();
    return QTest::qWaitFor([&] { return window->rotatorControl()->shortPathAction()->isEnabled(); });
  }
  QString tip() const { return window->directionField()->toolTip(); }

  std::optional<Peer> peer;
  FakePlatform platform;
  std::unique_ptr<RotatorAntenna> antenna;
  std::unique_ptr<QtWindow> window;
};

// The field's two commands, in its context menu and on F7 and Shift+F7:
// enabled with a result alone, then the turn on the wire and the position
// in the tooltip (the stub stands at 0 for good).
TEST_F(RotatorWindow, ShortcutsTurnTheAntenna) {
  peer.emplace(Stub("answer"));
  ASSERT_TRUE(open(AddressOf(peer->port())));
  const QList<QAction*> actions = window->directionField()->actions();
  ASSERT_EQ(actions.size(), 5);
  EXPECT_EQ(actions[0]->text(), ToQString(text::TurnShortPath));
  EXPECT_EQ(actions[1]->text(), ToQString(text::TurnLongPath));
  EXPECT_EQ(actions[2]->text(), ToQString(text::StopAntenna));
  EXPECT_EQ(actions[3]->text(), ToQString(text::ParkAntenna));
  EXPECT_EQ(actions[4], window->mapAction());
  EXPECT_EQ(window->directionField()->contextMenuPolicy(), Qt::ActionsContextMenu);
  // Park at any time; stop only while a command runs.
  EXPECT_FALSE(actions[0]->isEnabled() || actions[1]->isEnabled() || actions[2]->isEnabled());
  EXPECT_TRUE(actions[3]->isEnabled());
  // Without a result the key sends nothing: the first lines on the wire
  // are those of the turn once there is one.
  QTest::keyClick(window->foreignLocatorBox(), Qt::Key_F7);
  ASSERT_TRUE(calculate());
  for (const auto& [modifier, to] :
       {std::pair{Qt::NoModifier, "139,74°"}, std::pair{Qt::ShiftModifier, "319,74°"}}) {
    QTest::keyClick(window->foreignLocatorBox(), Qt::Key_F7, modifier);
    const QString turning = ToQString(Fill(text::AntennaTurningFrom, {to, "0,00°"}));
    EXPECT_TRUE(QTest::qWaitFor([&] { return tip() == turning; })) << ToUtf8(tip().toStdU16String());
  }
  std::vector<std::string> lines = peer->received();
  ASSERT_GE(lines.size(), 3u);
  EXPECT_EQ(std::vector(lines.begin(), lines.begin() + 3),
            (std::vector<std::string>{"\\dump_state", "p", "P 139.74 0.00"}));
  std::erase_if(lines, [](const std::string& line) { return line.rfind("P ", 0) != 0; });
  EXPECT_EQ(lines, (std::vector<std::string>{"P 139.74 0.00", "P 319.74 0.00"}));
  EXPECT_TRUE(platform.warnings.empty());
}

// JO62mm to JO63nm is 2,84°: the tooltip follows the dummy until it stands there.
TEST_F(RotatorWindow, TooltipOnceTheAntennaStands) {
  peer.emplace(Rotctld("min_az=0"));
  ASSERT_TRUE(open(AddressOf(peer->port())));
  ASSERT_TRUE(calculate("JO63nm"));
  window->rotatorControl()->shortPathAction()->trigger();
  const QString stands = ToQString(Fill(text::AntennaStands, {"2,84°"}));
  EXPECT_TRUE(QTest::qWaitFor([&] { return tip() == stands; }, 10000)) << ToUtf8(tip().toStdU16String());
  // Once more: it stands there, within the dead band, and nothing is sent.
  window->rotatorControl()->shortPathAction()->trigger();
  const QString within = ToQString(Fill(text::WithinDeadband, {"2,84°", "2,84°", "2,00°"}));
  EXPECT_TRUE(QTest::qWaitFor([&] { return tip() == within; })) << ToUtf8(tip().toStdU16String());
  EXPECT_TRUE(platform.warnings.empty());
}

// F9 stops a long turn (the dummy turns 6°/s) and is enabled only while it
// runs; "park" sends the antenna to the dummy's park position, 0.
TEST_F(RotatorWindow, F9StopsAndParkParks) {
  peer.emplace(Rotctld("min_az=0"));
  ASSERT_TRUE(open(AddressOf(peer->port())));
  ASSERT_TRUE(calculate());
  QtRotatorControl& control = *window->rotatorControl();
  RotctldRotator dummy(Loopback(peer->port()));
  const auto azimuth = [&dummy] {
    double value = -1;
    dummy.position(value);
    return value;
  };
  EXPECT_FALSE(control.stopAction()->isEnabled());
  control.shortPathAction()->trigger();
  EXPECT_TRUE(control.stopAction()->isEnabled());
  ASSERT_TRUE(QTest::qWaitFor([&] { return azimuth() > 1; }));
  QTest::keyClick(window->foreignLocatorBox(), Qt::Key_F9);
  EXPECT_TRUE(QTest::qWaitFor([&] { return tip() == ToQString(text::AntennaStopped); }));
  EXPECT_FALSE(control.stopAction()->isEnabled());
  const double stopped = azimuth();
  EXPECT_LT(stopped, 100);
  EXPECT_FALSE(QTest::qWaitFor([&] { return azimuth() != stopped; }, 1000));
  control.parkAction()->trigger();
  EXPECT_TRUE(QTest::qWaitFor([&] { return azimuth() == 0; }, 10000));
  EXPECT_TRUE(platform.warnings.empty());
}

// A failure ends in the warning box, whether the daemon, the host or the
// address is at fault: nothing listens, the host is unknown, the port is 0.
TEST_F(RotatorWindow, FailuresShowInAWarningBox) {
  const std::string refused = AddressOf(FreePort()), unknown = "no-such-host.invalid", bad = "rotor:0";
  for (const auto& [address, message] : {std::pair{refused, Fill(text::ConnectionRefused, {refused})},
                                          std::pair{unknown, Fill(text::UnknownHost, {unknown})},
                                          std::pair{bad, Fill(text::BadAddress, {bad})}}) {
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
  peer.emplace(Stub("silent"));
  ASSERT_TRUE(open(AddressOf(peer->port())));
  ASSERT_TRUE(calculate());
  // Neither the command nor the closing waits for the daemon's 3 s limit.
  const auto start = Clock::now();
  window->rotatorControl()->shortPathAction()->trigger();
  ASSERT_TRUE(QTest::qWaitFor([&] { return !peer->received().empty(); }));  // waiting for "\dump_state"
  window.reset();
  EXPECT_LE(Seconds(Clock::now() - start), 2.0);
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
