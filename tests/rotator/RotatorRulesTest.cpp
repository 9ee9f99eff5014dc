// The rotator client's rules without any network: addresses, the mapping
// into a rotator's range, the protocol lines, the settings file, the
// command-line option and the window's antenna commands.

#include "common/Text.h"
#include "common/Texts.h"
#include "rotator/AntennaPresenter.h"
#include "rotator/AzimuthRange.h"
#include "rotator/RotctldAntenna.h"
#include "rotator/RotatorAddress.h"
#include "rotator/RotatorSettings.h"
#include "rotator/RotctlLines.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <limits>

namespace pelvorn::rotator {
namespace {

TEST(RotatorAddress, ReadsHostAndPort) {
  struct Case {
    const char* text;
    const char* host;
    int port;
  };
  const Case cases[] = {
      {"localhost", "localhost", 4533},
      {" 127.0.0.1:4600 ", "127.0.0.1", 4600},
      {"rotor.example-net.de:1", "rotor.example-net.de", 1},
      {"[::1]", "::1", 4533},
      {"[::1]:65535", "::1", 65535},
      {"::1", "::1", 4533},
      {"fe80::1%lo", "fe80::1%lo", 4533},
  };
  for (const Case& c : cases) {
    const auto address = ParseAddress(c.text);
    ASSERT_TRUE(address) << c.text;
    EXPECT_EQ(address->host, c.host);
    EXPECT_EQ(address->port, c.port);
  }
  for (const char* bad : {"", ":4533", "localhost:", "localhost:0", "localhost:65536", "localhost:45a",
                          "localhost:+45", "[::1]4533", "[::1", "[127.0.0.1]", "L;JO62mm;KM38mm;;;V-"}) {
    EXPECT_FALSE(ParseAddress(bad)) << bad;
  }
  EXPECT_EQ(AddressText({"::1", 4533}), "[::1]:4533");
  EXPECT_EQ(BadAddressMessage(" x:0 "), Fill(text::BadAddress, {"x:0"}));
}

TEST(AzimuthRange, MapsIntoTheRotatorsRange) {
  const AzimuthRange full{0, 360};
  const AzimuthRange signedRange{-180, 180};
  const AzimuthRange overlap{0, 450};
  const AzimuthRange half{0, 180};
  const AzimuthRange dummy{-180, 450};
  struct Case {
    double direction;
    AzimuthRange range;
    std::optional<double> current;
    std::optional<double> expected;
  };
  const Case cases[] = {
      {139.74, full, {}, 139.74},
      {360, full, {}, 0},         // 0 is nearer to the direction taken into 0..360
      {-90, full, {}, 270},
      {270, signedRange, {}, -90},
      {180, signedRange, {}, 180},
      {180.01, signedRange, {}, -179.99},
      {30, overlap, 400.0, 390},  // an overlap rotator near 400 takes the short way
      {30, overlap, 200.0, 30},
      {100, overlap, 440.0, 100}, // 460 lies outside
      {180.5, half, {}, std::nullopt},
      {319.74, dummy, 0.0, -40.26},
      {319.74, dummy, 300.0, 319.74},
      {std::numeric_limits<double>::quiet_NaN(), full, {}, std::nullopt},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << c.direction << " in " << c.range.minimum << ".." << c.range.maximum);
    const auto mapped = MapIntoRange(c.direction, c.range, c.current);
    ASSERT_EQ(mapped.has_value(), c.expected.has_value());
    if (mapped) {
      EXPECT_NEAR(*mapped, *c.expected, 1e-9);
    }
  }
}

TEST(AzimuthRange, ReadsTheLimitsOfDumpState) {
  const std::vector<std::string> hamlib4{"1", "1", "min_az=-180.000000", "max_az=450.000000",
                                         "min_el=0.000000", "max_el=90.000000", "south_zero=0",
                                         "rot_type=AzEl"};
  const auto range = RangeFromDumpState(hamlib4);
  ASSERT_TRUE(range);
  EXPECT_EQ(range->minimum, -180);
  EXPECT_EQ(range->maximum, 450);
  EXPECT_FALSE(RangeFromDumpState({"1", "1", "max_az=360"}));
  EXPECT_FALSE(RangeFromDumpState({"min_az=360", "max_az=0"}));
  EXPECT_FALSE(RangeFromDumpState({"min_az=0,0", "max_az=360"}));
  EXPECT_FALSE(RangeFromDumpState({}));

  EXPECT_EQ(ElevationFromDumpState(hamlib4), 0.0);
  EXPECT_EQ(ElevationFromDumpState({"min_el=10.000000", "max_el=90.000000"}), 10.0);
  EXPECT_EQ(ElevationFromDumpState({"min_el=-90.000000", "max_el=-5.000000"}), -5.0);
}

TEST(RotctlLines, WritesNumbersWithADecimalPoint) {
  struct Case {
    double value;
    const char* text;
  };
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

// A window that records the tooltips and boxes it is given.
class RecordingView final : public AntennaView {
public:
  bool result = true;
  std::u16string caption;
  std::vector<std::u16string> tips, boxes;
  bool showsResult() const override { return result; }
  std::u16string directionCaption() const override { return caption; }
  void setTip(std::u16string_view text) override { tips.emplace_back(text); }
  void warn(std::u16string_view title, std::u16string_view message) override {
    boxes.push_back(std::u16string(title) + u'|' + std::u16string(message));
  }
};

TEST(AntennaPresenter, TurnsToTheShownDirection) {
  struct Case { bool result; const char16_t* caption; char16_t separator; bool longPath; std::optional<double> sent; };
  const Case cases[] = {
      {true, u"139,74", u',', false, 139.74},
      {true, u"139,74", u',', true, 319.74},
      {true, u"200.5", u'.', true, 20.5},
      {true, u"0,0", u',', false, 0.0},
      {false, u"139,74", u',', false, std::nullopt},  // no result shown
      {true, u"139.74", u',', false, std::nullopt},   // the field as the window shows it
      {true, u"", u',', false, std::nullopt},
      {true, u"\u0661\u0663", u',', false, std::nullopt},
  };
  for (const Case& c : cases) {
    RecordingView view;
    view.result = c.result;
    view.caption = c.caption;
    std::vector<double> sent;
    AntennaPresenter presenter(view, c.separator, [&sent](double azimuth) { sent.push_back(azimuth); });
    EXPECT_EQ(presenter.actionsEnabled(), c.result);
    presenter.turn(c.longPath);
    ASSERT_EQ(sent.size(), c.sent ? 1u : 0u) << ToUtf8(c.caption);
    if (c.sent) {
      EXPECT_NEAR(sent[0], *c.sent, 1e-9);
      EXPECT_EQ(view.tips, std::vector<std::u16string>{u""});  // the old position goes
    }
  }
}

TEST(AntennaPresenter, TellsWhereTheAntennaStands) {
  struct Case { char16_t separator; double commanded; std::optional<double> position; std::string tip; };
  const auto turning = [](const char* to) { return Fill(text::AntennaTurning, {to}); };
  const auto turningFrom = [](const char* to, const char* from) { return Fill(text::AntennaTurningFrom, {to, from}); };
  const auto stands = [](const char* at) { return Fill(text::AntennaStands, {at}); };
  const Case cases[] = {
      {u',', 139.74, std::nullopt, turning("139,74°")},
      {u',', 139.74, 139.3, stands("139,30°")},
      {u',', 139.74, 139.2, turningFrom("139,74°", "139,20°")},
      {u'.', 319.74, 320.2, stands("320.20°")},
  };
  for (const Case& c : cases) {
    RecordingView view;
    AntennaPresenter presenter(view, c.separator, [](double) {});
    presenter.commanded(c.commanded);
    if (c.position) presenter.position(*c.position);
    ASSERT_FALSE(view.tips.empty());
    EXPECT_EQ(ToUtf8(view.tips.back()), c.tip);
    EXPECT_TRUE(view.boxes.empty());
  }
  RecordingView view;
  AntennaPresenter presenter(view, u',', [](double) {});
  presenter.commanded(10.0);
  presenter.failed("any failure");
  EXPECT_EQ(view.tips.back(), u"");
  EXPECT_EQ(view.boxes, std::vector<std::u16string>{FromUtf8(std::string(text::RotatorBoxTitle) + "|any failure")});
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

TEST(RotatorSettings, FindsTheSettingsFile) {
  const char* savedHome = std::getenv("HOME");
  const std::string home = savedHome ? savedHome : "";
  setenv("XDG_CONFIG_HOME", "/cfg", 1);
  EXPECT_EQ(SettingsFilePath().string(), "/cfg/pelvorn/Pelvorn.conf");
  setenv("XDG_CONFIG_HOME", "relative", 1);  // not absolute: ignored
  setenv("HOME", "/home/op", 1);
  EXPECT_EQ(SettingsFilePath().string(), "/home/op/.config/pelvorn/Pelvorn.conf");
  unsetenv("XDG_CONFIG_HOME");
  unsetenv("HOME");
  EXPECT_EQ(SettingsFilePath().string(), "");
  if (savedHome) setenv("HOME", home.c_str(), 1);
}

TEST(RotatorSettings, TakesTheOptionOffTheCommandLine) {
  struct Case {
    std::vector<std::string> arguments;
    bool given;
    const char* value;
    bool error;
    std::vector<std::string> rest;
  };
  const std::string line = "L;JO62mm;KM38mm;;;V-";
  const Case cases[] = {
      {{line}, false, "", false, {line}},
      {{}, false, "", false, {}},
      {{"--rotator", "127.0.0.1:4600", line}, true, "127.0.0.1:4600", false, {line}},
      {{"--rotator=[::1]", line}, true, "[::1]", false, {line}},
      {{"--rotator", line}, true, "L;JO62mm;KM38mm;;;V-", true, {}},
      {{"--rotator"}, true, "", true, {}},
      {{"--rotator="}, true, "", true, {}},
      {{line, "--rotator", "x"}, false, "", false, {line, "--rotator", "x"}},
  };
  for (const Case& c : cases) {
    std::vector<std::string> arguments = c.arguments;
    const OptionOnCommandLine option = TakeRotatorOption(arguments);
    EXPECT_EQ(option.given, c.given);
    EXPECT_EQ(option.value, c.value);
    EXPECT_EQ(!option.error.empty(), c.error) << option.error;
    EXPECT_EQ(arguments, c.rest);
  }
}

}  // namespace
}  // namespace pelvorn::rotator
