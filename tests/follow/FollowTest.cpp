// The reader of WSJT-X datagrams, built byte by byte, and the follower on
// a fake clock with a fake rotator: the lines it prints and the targets
// the rotator gets.
#include "follow/FollowTool.h"
#include "follow/Follower.h"
#include "follow/SourceAddress.h"
#include "follow/WsjtxDatagram.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

namespace pelvorn::follow {
namespace {

using namespace std::chrono_literals;

// A datagram as QDataStream writes it: big-endian numbers, strings as
// length and bytes.
struct Bytes {
  std::string data;
  Bytes& u(std::uint64_t value, int size) {
    for (int i = size - 1; i >= 0; --i) data += static_cast<char>(value >> (8 * i) & 0xff);
    return *this;
  }
  Bytes& u32(std::uint32_t value) { return u(value, 4); }
  Bytes& s(std::string_view text) { return u32(static_cast<std::uint32_t>(text.size())), data += text, *this; }
  Bytes& null() { return u32(0xffffffff); }
  Bytes& header(std::uint32_t type, std::uint32_t schema = 2, std::string_view id = "WSJT-X") {
    return u32(DatagramMagic).u32(schema).u32(type).s(id);
  }
  // Status up to the DE call.
  Bytes& statusStart(std::string_view call = "K1ABC") {
    return u(144174000, 8).s("FT8").s(call).s("-10").s("FT8").u(0, 3).u32(1500).u32(1500).s("DL1ABC");
  }
  Bytes& dateTime(std::uint8_t kind = 1) { return u(2461017, 8).u32(36000000).u(kind, 1); }
};

std::string Status(std::string_view dxGrid, std::string_view deGrid = "JO62MM", std::string_view id = "WSJT-X",
                   std::string_view call = "K1ABC") {
  return Bytes().header(1, 2, id).statusStart(call).s(deGrid).s(dxGrid).data;
}

// What `follower` makes of a datagram; nothing for one that is no report.
FollowOutput Take(Follower& follower, std::string_view bytes, FollowClock::time_point now, std::time_t utc) {
  const Datagram datagram = ReadDatagram(bytes);
  return datagram.verdict == Datagram::Verdict::Report ? follower.see(datagram.report, now, utc) : FollowOutput{};
}

// The default options with one change (designated initializers would leave
// the other members to a warning).
FollowOptions With(void (*change)(FollowOptions&)) {
  FollowOptions options;
  change(options);
  return options;
}

TEST(DatagramReader, EveryKindOfDatagram) {
  struct Case { const char* name; std::string bytes; Datagram::Verdict verdict; StationReport report; };
  using V = Datagram::Verdict;
  const StationReport none;
  const std::string logged = Bytes().header(5).dateTime().s("K1ABC").s("KM38MM").data;
  const std::string loggedToMyGrid = Bytes{logged}.u(144174000, 8).s("FT8").s("-10").s("-12").s("100").s("").s("")
                                         .dateTime(2).u32(3600).s("").s("DL1ABC").s("JO62mm").data;
  const Case cases[] = {
      {"Status, schema 3, fields appended",
       Bytes().header(1, 3, "JTDX").statusStart().s("JO62MM").s("KM38").u(0, 1).s("").u(0, 1).u(0, 1).data,
       V::Report, {"JTDX", "K1ABC", "KM38", "JO62MM"}},
      {"Status, null strings", Bytes().header(1).u(0, 8).null().null().null().null().u(0, 3).u32(0).u32(0).null()
                                   .null().null().data, V::Report, {"WSJT-X", "", "", ""}},
      {"Status, a huge string length", Bytes().header(1).statusStart().u32(0xfffffffe).data, V::Malformed, none},
      {"Status, ends inside the frequency", Bytes().header(1).u(0, 5).data, V::Malformed, none},
      {"QSO Logged, up to my grid", loggedToMyGrid, V::Report, {"WSJT-X", "K1ABC", "KM38MM", "JO62mm"}},
      {"QSO Logged, ends after the DX grid", logged, V::Report, {"WSJT-X", "K1ABC", "KM38MM", ""}},
      {"QSO Logged, time in a zone", Bytes().header(5).dateTime(3).s("K1ABC").s("KM38MM").data, V::Malformed, none},
      {"unknown type", Bytes().header(99).data, V::Ignored, {"WSJT-X", "", "", ""}},
      {"wrong magic", Bytes().u32(0xadbccbdb).u32(2).u32(1).s("WSJT-X").data, V::Malformed, none},
      {"schema 4", Bytes().header(1, 4).statusStart().s("JO62MM").s("KM38MM").data, V::Malformed, none},
      {"schema 0", Bytes().header(1, 0).statusStart().s("JO62MM").s("KM38MM").data, V::Malformed, none},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const Datagram datagram = ReadDatagram(c.bytes);
    EXPECT_EQ(c.verdict, datagram.verdict) << datagram.problem;
    if (c.verdict == V::Malformed) continue;
    EXPECT_EQ(c.report.id, datagram.report.id);
    EXPECT_EQ(c.report.dxCall, datagram.report.dxCall);
    EXPECT_EQ(c.report.dxGrid, datagram.report.dxGrid);
    EXPECT_EQ(c.report.deGrid, datagram.report.deGrid);
  }
  EXPECT_EQ(ReadDatagram(Bytes().u32(DatagramMagic).u32(2).u32(1).u32(100).data).problem, "ends in the header");
}

TEST(SourceAddress, Parsing) {
  // A group and a port given are wsjtx_test.sh's (Linux) and console_test.sh's (Windows).
  const std::pair<const char*, const char*> good[] = {{"", "127.0.0.1:2237"}, {"wsjtx", "127.0.0.1:2237"},
      {"127.0.0.1", "127.0.0.1:2237"}, {"wsjtx:224.0.0.1:2238", "224.0.0.1:2238"}};
  for (const auto& [text, listen] : good) {
    const auto address = ParseSourceAddress(text);
    ASSERT_TRUE(address) << text;
    EXPECT_EQ(SourceKind::Wsjtx, address->kind) << text;
    EXPECT_EQ(listen, address->listen.text) << text;
  }
  for (const char* bad : {"127.0.0.1:", "127.0.0.1:0", "127.0.0.1:65536", "127.0.0:2237", "127.0.0.1.1:2237",
                          "256.0.0.1:2237", "localhost:2237", "127.0.0.1:22x", "wsjtx:", "wsjtxx", "wsjt"}) {
    EXPECT_FALSE(ParseSourceAddress(bad)) << bad;
  }
}

class FakeRotator final : public RotatorTarget {
public:
  void turnTo(double direction) override { targets.push_back(direction); }
  std::vector<double> targets;
};

TEST(Follower, LinesForEachNewGrid) {
  struct Step { std::string datagram; const char* out; const char* err; };
  struct Case { const char* name; FollowOptions options; std::vector<Step> steps; };
  const std::string line = "1892,585 km/139,74 \u00b0 K1ABC\n";
  const Case cases[] = {
      {"a square, then its subsquare, repeated, cleared, again",
       {},
       {{Status("KM38"), line.c_str(), ""},
        {Status("KM38MM"), line.c_str(), ""},
        {Status("KM38MM"), "", ""},
        {Status(""), "", ""},
        {Status("km38mm"), line.c_str(), ""}}},
      {"invalid grids named once, no line",
       {},
       {{Status("KM3"), "", "Pelvorn: Kein g\u00fcltiger Locator von WSJT-X: \"KM3\"\n"},
        {Status("KM3"), "", ""},
        {Status("ZZ\n99\x1b[A"), "", "Pelvorn: Kein g\u00fcltiger Locator von WSJT-X: \"ZZ 99\"\n"},
        {Status("KM38MM", "JO6"), "",
         "Pelvorn: Kein g\u00fcltiger eigener Locator von WSJT-X: \"JO6\" (eigenen Locator mit --own angeben)\n"}}},
      {"--own instead of the DE grid, extended square",
       With([](FollowOptions& o) { o.ownLocator = "JN58TD"; }),
       {{Status("KM38MM12", "JO6"), "1636,924 km/125,11 \u00b0 K1ABC\n", ""}}},
      {"two senders told apart, a new DE grid is a new pair",
       {},
       {{Status("KM38MM"), line.c_str(), ""},
        {Status("JO20", "JO62MM", "JTDX", "F1ABC"), "595,797 km/251,28 \u00b0 F1ABC\n", ""},
        {Status("KM38MM"), "", ""},
        {Status("KM38MM", "JN58TD"), "1636,924 km/125,11 \u00b0 K1ABC\n", ""}}},
      {"--id picks one sender",
       With([](FollowOptions& o) { o.id = "JTDX"; }),
       {{Status("KM38MM"), "", ""}, {Status("JO20", "JO62MM", "JTDX", ""), "595,797 km/251,28 \u00b0\n", ""}}},
      {"TSV: time, call and grid as sent, cleaned to UTF-8 without control sequences",
       With([](FollowOptions& o) { o.tsv = true; }),
       {{Status("KM38", "JO62MM", "WSJT-X", "K1\tA\x1b[2J\rB\xd6"),
         "1970-01-01T01:00:00Z\tK1 A B\u00d6\tKM38\t1892.585\t139.74\t38116.565\t319.74\n", ""}}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    Follower follower(c.options, NumberLocale{u','}, nullptr);
    for (const Step& step : c.steps) {
      const FollowOutput output = Take(follower, step.datagram, FollowClock::time_point{}, 3600);
      EXPECT_EQ(step.out, output.out);
      EXPECT_EQ(step.err, output.err);
      EXPECT_EQ(*step.out != '\0', output.sighting.has_value());
    }
  }
}

TEST(Follower, OnlyTheSettledGridTurnsTheAntenna) {
  FakeRotator rotator;
  Follower follower(With([](FollowOptions& o) { o.turn = TurnMode::ShortPath, o.settle = 1000ms; }),
                    NumberLocale{u','}, &rotator);
  const FollowClock::time_point start{};
  // The operator types a locator: each valid prefix arrives in turn, then another.
  Take(follower, Status("KM38"), start, 0);
  EXPECT_EQ(start + 1000ms, follower.tick(start + 300ms));
  Take(follower, Status("KM38MM"), start + 400ms, 0);
  Take(follower, Status("JO20"), start + 900ms, 0);
  Take(follower, Status("JO20"), start + 1500ms, 0);  // repeated: the clock keeps running
  Take(follower, "not a datagram", start + 1600ms, 0);
  EXPECT_EQ(start + 1900ms, follower.tick(start + 1899ms));
  EXPECT_TRUE(rotator.targets.empty());
  EXPECT_EQ(std::nullopt, follower.tick(start + 1900ms));
  EXPECT_EQ(std::nullopt, follower.tick(start + 5000ms));
  ASSERT_EQ(1u, rotator.targets.size());
  EXPECT_NEAR(251.28, rotator.targets[0], 0.005);

  // Cleared or made invalid within the settle time: the target is withdrawn,
  // but not by another sender's grid.
  const std::pair<const char*, std::string> changes[] = {{"cleared", Status("")}, {"invalid", Status("KM3")},
      {"own grid invalid", Status("KM38", "JO6")}, {"another sender", Status("", "JO62MM", "JTDX")}};
  for (const auto& [name, change] : changes) {
    Follower withdrawn(With([](FollowOptions& o) { o.turn = TurnMode::ShortPath; }), NumberLocale{u','}, &rotator);
    Take(withdrawn, Status("KM38"), start, 0);
    Take(withdrawn, change, start + 500ms, 0);
    withdrawn.tick(start + 2000ms);
    EXPECT_EQ(std::string_view(name) == "another sender" ? 2u : 1u, rotator.targets.size()) << name;
    rotator.targets.resize(1);
  }

  Follower longPath(With([](FollowOptions& o) { o.turn = TurnMode::LongPath, o.settle = 0ms; }), NumberLocale{u','},
                    &rotator);
  Take(longPath, Status("KM38MM"), start, 0);
  longPath.tick(start);
  ASSERT_EQ(2u, rotator.targets.size());
  EXPECT_NEAR(319.74, rotator.targets[1], 0.005);
}

TEST(Follower, TheRotatorsCommandInCompassDegrees) {
  const std::pair<double, const char*> cases[] = {{139.74, "139,74°"}, {-64.12, "295,88° (am Rotor -64,12°)"},
      {370, "10,00° (am Rotor 370,00°)"}, {359.999, "0,00° (am Rotor 360,00°)"}, {-0.001, "0,00°"}};
  for (const auto& [azimuth, shown] : cases) {
    EXPECT_EQ("Pelvorn: Rotor dreht auf " + std::string(shown) + "\n", RotatorTurnsLine(azimuth, u',')) << azimuth;
  }
}

TEST(Follower, AFloodOfSendersStartsTheRecordAfresh) {
  Follower follower({}, NumberLocale{u','}, nullptr);
  Take(follower, Status("KM38"), {}, 0);
  for (int sender = 1; sender < 16; ++sender) Take(follower, Status("KM38", "JO62MM", std::to_string(sender)), {}, 0);
  EXPECT_EQ("", Take(follower, Status("KM38"), {}, 0).out);
  Take(follower, Status("KM38", "JO62MM", "the 17th"), {}, 0);
  EXPECT_NE("", Take(follower, Status("KM38"), {}, 0).out);  // forgotten with the others
}

}  // namespace
}  // namespace pelvorn::follow
