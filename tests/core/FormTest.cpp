// The window's behaviour without any toolkit: a window that only records
// what it is told, on the recording platform. The first activation with its
// command line, the guard against a second copy and the end of a hidden run,
// with and without a rotator; what the map window shows and when.
// (The keys in a window: tests/window/PelvornWindowTest.cpp.)
#include "common/ExitStatus.h"
#include "common/Text.h"
#include "common/Texts.h"
#include "common/CommandLine.h"
#include "window/Antenna.h"
#include "window/FrontEnd.h"
#include "window/Keys.h"
#include "window/MapPresenter.h"
#include "window/PelvornForm.h"

#include "../fakes/RecordingPlatform.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <string>
#include <vector>

namespace pelvorn {
namespace {

using testing::Texts;
using FakePlatform = testing::RecordingPlatform;

class FakeWindow final : public WindowView {
public:
  std::map<TextBox, std::u16string> boxes{{TextBox::OwnLocator, u"Text1"}, {TextBox::ForeignLocator, u"Text2"}};
  std::map<ResultField, std::u16string> labels{{ResultField::Distance, FromUtf8(text::DistanceField)},
                                               {ResultField::Direction, FromUtf8(text::DirectionField)}};
  std::u16string windowCaption = FromUtf8(text::DesignCaption);
  bool visible = false, unloaded = false;
  std::optional<TextBox> focus;

  std::u16string text(TextBox box) const override { return boxes.at(box); }
  void setText(TextBox box, std::u16string_view text) override { boxes[box] = text.substr(0, 6); }
  void setFocus(TextBox box) override {
    if (visible) focus = box;
  }
  std::u16string caption(ResultField label) const override { return labels.at(label); }
  void setCaption(ResultField label, std::u16string_view text) override { labels[label] = text; }
  void setWindowCaption(std::u16string_view caption) override { windowCaption = caption; }
  void setVisible(bool shown) override { visible = shown; }
  void unload() override { unloaded = true, visible = false; }
};

const NumberLocale German{u','};
const std::u16string LongitudeWarning =
    FakePlatform::box(FromUtf8(text::LongitudeWarningTitle), FromUtf8(text::LongitudeWarningPrompt));
const std::u16string LatitudeWarning =
    FakePlatform::box(FromUtf8(text::LatitudeWarningTitle), FromUtf8(text::LatitudeWarningPrompt));
const std::u16string Jo62Km38 = u"1892,585 km/139,74 \u00b0";
constexpr int StillRunning = -100;

// One program run through Main, as a front end starts it. Its event loop has
// nothing left to do once the window is activated: `status` is the one the
// program ended with, or StillRunning. `rotator`: none, or one whose turn
// fails with the message given (if any); it records each turn and how many
// lines were on standard output by then.
struct ProgramRun : FrontEnd, Antenna {
  FakeWindow window;
  FakePlatform platform;
  std::optional<std::u16string> turnFailure;
  Texts turns;
  std::vector<std::size_t> linesOutAtTurn;
  std::optional<PelvornForm> form;
  int status = StillRunning;

  ProgramRun(std::u16string_view commandLine, bool previousCopy = false, bool clipboardTakes = true,
             bool stdoutTakes = true, std::optional<std::optional<std::u16string>> rotator = {}) {
    platform.previousCopy = previousCopy;
    platform.clipboardTakes = clipboardTakes;
    platform.stdoutTakes = stdoutTakes;
    if (rotator) turnFailure = *rotator;
    Antenna* antenna = rotator ? this : nullptr;
    form.emplace(window, platform, antenna, ReadCommandLine(commandLine, German), German);
    status = form->run(*this);
  }
  void showWindow() override {
    window.visible = true;
    form->activateOnce();
  }
  void activateHidden() override { form->activateOnce(); }
  int exec() override { return platform.endedWith.value_or(StillRunning); }
  AntennaTurn turnForHiddenRun(std::u16string_view direction) override {
    turns.emplace_back(direction);
    linesOutAtTurn.push_back(platform.delivered.size());
    return {turnFailure, {}};
  }
  Texts shown() const {
    return {window.boxes.at(TextBox::OwnLocator), window.boxes.at(TextBox::ForeignLocator),
            window.labels.at(ResultField::Distance), window.labels.at(ResultField::Direction)};
  }
};

// A first activation: the command line, then what the window shows. `line`
// is the result offered to the clipboard, if any; a hidden run ends by itself
// with `status`, a visible one leaves the focus on `focus`.
struct Activation {
  const char* name; std::u16string commandLine, text1, text2, line; Texts warnings; std::size_t beeps;
  int status = StillRunning; std::optional<TextBox> focus = {}; bool clipboardTakes = true;
};

TEST(Form, FirstActivationRunsTheCommandLine) {
  const std::u16string modeRefusal = FakePlatform::box(FromUtf8(text::WrongModeTitle), FromUtf8(text::OnlyLOrG));
  constexpr int run = StillRunning;
  const auto Text1 = TextBox::OwnLocator, Text2 = TextBox::ForeignLocator;
  const Activation rows[] = {
      {"locator cut to six, one completed", u"l;jo62mm1;km38", u"JO62MM", u"KM38MM", Jo62Km38, {}, 1, run, Text2},
      {"mode G", u"G;52,5;38,5;13;27", u"JO62MM", u"KM38MM", u"1892,82 km/139,73 \u00b0", {}, 0, run, Text2},
      {"mode X", u"X;1;2;3;4", u"", u"", u"", {modeRefusal}, 0, run},
      {"empty mode", u";JO62mm", u"", u"", u"", {}, 0, run},
      {"sixth field v-", u"L;JO62mm;KM38mm;;;v-", u"JO62MM", u"KM38MM", Jo62Km38, {}, 0, run},
      // A clipboard that fails: the result stays shown, the focus where it was.
      {"clipboard refused", u"L;JO62mm;KM38mm", u"JO62MM", u"KM38MM", Jo62Km38, {}, 0, run, {}, false},
      // A locator refused stops at its box, which keeps its text (written
      // back unless too short) and gets the focus.
      {"own too short, foreign not read", u"L; jo ;km3", u" jo ", u"km3", u"", {}, 1, run, Text1},
      {"foreign refused after own completed", u"L;JO62;km38m", u"JO62MM", u"KM38M", u"", {}, 2, run, Text2},
      // A missing or unreadable number earns the warning of its pair, once.
      {"longitudes missing", u"G;52,5;38,5", u"", u"", u"", {LongitudeWarning, LongitudeWarning}, 0, run},
      {"foreign latitude empty", u"G;52,5;;13;27", u"JO62MM", u"", u"", {LatitudeWarning}, 0, run},
      // Hidden runs end by themselves: 0 with their result out, 1 without.
      {"hidden run, blanks around V-", u"L;JO62mm;KM38mm;;; V- ", u"JO62MM", u"KM38MM", Jo62Km38, {}, 0, ExitSuccess},
      {"hidden, pair refused", u"G;95;38,5;13;27;V-", u"", u"KM38MM", u"", {LatitudeWarning}, 0, ExitNoResult},
      {"hidden, empty mode", u";;;;;V-", u"", u"", u"", {}, 0, ExitNoResult},
  };
  for (const Activation& row : rows) {
    SCOPED_TRACE(row.name);
    ProgramRun r(row.commandLine, false, row.clipboardTakes);
    EXPECT_EQ(r.status, row.status);
    const bool hidden = row.status != StillRunning;
    EXPECT_EQ(r.window.visible, !hidden);
    EXPECT_EQ(r.window.unloaded, hidden);
    EXPECT_EQ(r.platform.warnings, row.warnings);
    EXPECT_EQ(r.platform.beeps.size(), row.beeps);
    Texts fields = {u"", u""};
    if (!row.line.empty()) {
      const std::size_t slash = row.line.find(u" km/");
      fields = {row.line.substr(0, slash), row.line.substr(slash + 4, row.line.size() - slash - 6)};
    }
    EXPECT_EQ(r.shown(), (Texts{row.text1, row.text2, fields[0], fields[1]}));
    EXPECT_EQ(r.platform.clipboard, row.line.empty() ? Texts{} : Texts{row.line});
    EXPECT_EQ(r.platform.delivered, row.status == ExitSuccess ? Texts{row.line} : Texts{});
    // A hidden run without a result says why, unless a box has said it.
    EXPECT_EQ(r.platform.errors.size(), row.status == ExitNoResult && row.warnings.empty() ? 1u : 0u);
    EXPECT_EQ(r.window.focus, row.focus);
    EXPECT_EQ(r.form->showsResult(), !row.line.empty());

    // Activation comes once per process, not with every showing.
    r.window.boxes[TextBox::OwnLocator] = u"x";
    r.form->activateOnce();
    EXPECT_EQ(r.window.boxes[TextBox::OwnLocator], u"x");
  }
}

// The line of a hidden run goes to standard output whatever the clipboard
// does; only a line that reached both counts as success. A rotator turns
// once, after the line is out; a failed turn ends with the rotator status
// and says why on stderr.
TEST(Form, HiddenRunDeliversItsLineAndTurnsTheAntenna) {
  const std::u16string refused = u"Keine Verbindung zum Rotor", hidden = u"L;JO62mm;KM38mm;;;V-";
  using Rotator = std::optional<std::optional<std::u16string>>;
  const Rotator turns(std::in_place);
  struct Row {
    const char* name; std::u16string commandLine; bool clipboardTakes, stdoutTakes;
    Rotator rotator; Texts turns; int status; std::size_t errors; int keepCalls;
  };
  const Row rows[] = {
      {"clipboard refused", hidden, false, true, {}, {}, ExitNoResult, 0, 0},
      {"stdout refused", hidden, true, false, {}, {}, ExitNoResult, 1, 1},
      {"turned", hidden, true, true, turns, {u"139,74"}, ExitSuccess, 0, 1},
      {"turn failed", hidden, true, true, Rotator(refused), {u"139,74"}, ExitRotatorFailed, 1, 1},
      {"no result", u"L;JO62mm;KM3;;;V-", true, true, turns, {}, ExitNoResult, 1, 0},
      {"visible run", u"L;JO62mm;KM38mm", true, true, turns, {}, StillRunning, 0, 0},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    ProgramRun r(row.commandLine, false, row.clipboardTakes, row.stdoutTakes, row.rotator);
    EXPECT_EQ(r.status, row.status);
    EXPECT_EQ(r.platform.delivered, row.commandLine == hidden ? Texts{Jo62Km38} : Texts{});
    EXPECT_EQ(r.platform.keepCalls, row.keepCalls);
    EXPECT_EQ(r.turns, row.turns);
    EXPECT_EQ(r.linesOutAtTurn, std::vector<std::size_t>(row.turns.size(), 1));
    EXPECT_EQ(r.platform.errors.size(), row.errors);
    if (row.rotator && *row.rotator) {
      EXPECT_EQ(r.platform.errors, Texts{**row.rotator});
    }
  }
  // Only F1 shows the information (the Win32 window passes every key released).
  ProgramRun visible(u"");
  visible.form->keyReleased(113, 0);  // F2
  visible.form->keyReleased(KeyCodeF1, 1);  // Shift+F1 counts as F1
  EXPECT_EQ(visible.platform.informations.size(), 1u);
}

// The map window: it records what it is handed; the renderer records the requests.
struct FakeMap final : MapView {
  bool open = false;
  Size size{400, 300};
  std::vector<map::MapRequest> drawn;
  Texts hints;
  bool shown() const override { return open; }
  void showBeside() override { open = true; }
  void hideMap() override { open = false; }
  Size clientPixels() const override { return size; }
  void showPixels(map::Pixels pixels) override { EXPECT_EQ(pixels.width, drawn.back().size); }
  void showHint(std::u16string_view text) override { hints.emplace_back(text); }
};

struct MapRun : ProgramRun {
  FakeMap view;
  MapPresenter presenter{view, *form, window, [this](const map::MapRequest& request) {
                           view.drawn.push_back(request);
                           return map::Pixels{request.size, request.size, {}};
                         }};
  explicit MapRun(std::u16string_view commandLine) : ProgramRun(commandLine) {
    form->setCalculatedListener([this] { presenter.calculated(); });
  }
};

// F8 before the first result shows the own station alone where the window
// would calculate from, or the hint; after it the points the result used
// (mode G: the degrees given), the boxes' locators and the result line.
TEST(Form, MapShowsTheLastResultOrTheOwnStation) {
  struct Row {
    const char* name; std::u16string commandLine, ownBox, foreignBox; double lat, lon; std::string caption;
    std::optional<std::pair<double, double>> dx = {};
  };
  const double jo62 = 52.520833333, km38 = 38.520833333;
  const Row rows[] = {
      {"nothing yet: the hint", u"", u"", u"", 0, 0, ""},
      {"own box too short: the hint", u"", u"jo6", u"", 0, 0, ""},
      {"own box no locator: the hint", u"", u"ZZ62", u"", 0, 0, ""},
      {"own box of four: its completed centre", u"", u" jo62", u"", jo62, 13.041666667, "JO62MM"},
      {"Calculate stopped at the foreign box", u"", u"JO62mm", u"KM3", jo62, 13.041666667, "JO62MM"},
      {"result", u"L;JO62mm;KM38", u"", u"", jo62, 13.041666667, "JO62MM – KM38MM   1892,585 km/139,74 °",
       std::pair{km38, 27.041666667}},
      {"mode G", u"G;52,5;38,5;13;27", u"", u"", 52.5, 13, "JO62MM – KM38MM   1892,82 km/139,73 °",
       std::pair{38.5, 27.0}},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    MapRun r(row.commandLine);
    if (!row.ownBox.empty()) r.window.boxes[TextBox::OwnLocator] = row.ownBox;
    if (!row.foreignBox.empty()) {
      r.window.boxes[TextBox::ForeignLocator] = row.foreignBox;
      r.form->calculate();
    }
    r.presenter.open();
    if (row.caption.empty()) {
      EXPECT_TRUE(r.view.drawn.empty() && r.view.hints == Texts{FromUtf8(text::MapHint)});
      continue;
    }
    ASSERT_EQ(r.view.drawn.size(), 1u);
    const map::MapRequest& drawn = r.view.drawn[0];
    EXPECT_EQ(drawn.size, 300);
    EXPECT_NEAR(drawn.own.latitude, row.lat, 1e-9);
    EXPECT_NEAR(drawn.own.longitude, row.lon, 1e-9);
    EXPECT_EQ(drawn.own.label, "JO62MM");
    EXPECT_EQ(drawn.caption, row.caption);
    EXPECT_EQ(drawn.radiusKm, 0.0);
    ASSERT_EQ(drawn.dx.has_value(), row.dx.has_value());
    if (row.dx) {
      EXPECT_NEAR(drawn.dx->latitude, row.dx->first, 1e-9);
      EXPECT_NEAR(drawn.dx->longitude, row.dx->second, 1e-9);
      EXPECT_EQ(drawn.dx->label, "KM38MM");
    }
  }
}

// Open, the map follows every Calculate and every change of the smaller
// side of its window; closed, it draws nothing.
TEST(Form, MapFollowsCalculateAndSize) {
  MapRun r(u"L;JO62mm;KM38mm");
  r.form->calculate();
  EXPECT_TRUE(r.view.drawn.empty());
  r.presenter.open();
  r.presenter.open();  // already open: brought to the front only
  r.window.boxes[TextBox::ForeignLocator] = u"KM38LL";
  r.form->calculate();
  r.view.size = {300, 200};
  r.presenter.resized();
  r.view.size = {250, 200};
  r.presenter.resized();  // the same side
  r.presenter.close();
  r.form->calculate();
  r.presenter.resized();
  std::vector<std::pair<int, std::string>> drawn;
  for (const auto& request : r.view.drawn) drawn.emplace_back(request.size, request.caption);
  const std::string ll = "JO62MM – KM38LL   1892,96 km/140,0 °";
  EXPECT_EQ(drawn, (decltype(drawn){{300, "JO62MM – KM38MM   1892,585 km/139,74 °"}, {300, ll}, {200, ll}}));
  EXPECT_FALSE(r.view.open);
}

TEST(Form, SecondCopy) {
  ProgramRun refused(u"", true);
  EXPECT_EQ(refused.status, ExitSecondCopy);
  EXPECT_EQ(refused.platform.warnings, Texts{FakePlatform::box(FromUtf8(Fill(text::AlreadyRunningTitle, {"Pelvorn"})),
                                                               FromUtf8(text::AlreadyRunningPrompt))});
  // A refused copy never shows its window nor activates it.
  EXPECT_TRUE(!refused.window.visible && refused.window.windowCaption == FromUtf8(text::DesignCaption));
  // A hidden run (the same definition as at the first activation) passes,
  // whatever its mode or result (tests/e2e/guard_test.sh: with a result).
  EXPECT_EQ(ProgramRun(u"X;;;;;V-", true).status, ExitNoResult);
}

}  // namespace
}  // namespace pelvorn
