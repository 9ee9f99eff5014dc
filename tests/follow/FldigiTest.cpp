// fldigi's side of the follower: the XML-RPC answer reader on answers as
// fldigi 4.1.23 sends them and on broken ones, the notices and reports of
// the polls, its address and --poll.
#include "common/Text.h"
#include "common/Texts.h"
#include "follow/FldigiSource.h"
#include "follow/FollowTool.h"
#include "follow/XmlRpcAnswer.h"

#include <gtest/gtest.h>

namespace pelvorn::follow {
namespace {

using Verdict = XmlRpcAnswer::Verdict;
using Kind = Heard::Kind;

// An answer as fldigi's server sends it ("Content-length", CR LF).
std::string Http(const std::string& body, const std::string& status = "200 OK") {
  return "HTTP/1.1 " + status + "\r\nServer: XMLRPC++ 0.8\r\nContent-Type: text/xml\r\nContent-length: " +
         std::to_string(body.size()) + "\r\n\r\n" + body;
}
std::string Value(const std::string& value) {
  return "<?xml version=\"1.0\"?>\r\n<methodResponse><params><param>\r\n\t<value>" + value +
         "</value>\r\n</param></params></methodResponse>\r\n";
}

TEST(XmlRpcAnswer, EveryKindOfAnswer) {
  const std::string fault = "<?xml version=\"1.0\"?>\n<methodResponse><fault>\n\t<value><struct><member><name>"
      "faultCode</name><value><i4>-1</i4></value></member><member><name>faultString</name><value>no.such: unknown"
      " method name</value></member></struct></value>\n</fault></methodResponse>\n";
  const std::string whole = Http(Value("KM38MM")), unsized = "HTTP/1.0 200 OK\r\n\r\n" + Value("K1ABC");
  const struct { std::string bytes; bool closed; Verdict verdict; std::string text; } cases[] = {
      {whole, false, Verdict::Value, "KM38MM"}, {Http(Value("")), false, Verdict::Value, ""},
      {Http(Value(" <string>&amp;&lt;&gt;&quot;&apos;&#65;&#x42;&#xE4;&#x1F600;</string>\n")), false, Verdict::Value,
       "&<>\"'AB\xC3\xA4\xF0\x9F\x98\x80"},
      {Http(Value("<string/>")), false, Verdict::Value, ""}, {Http(fault), false, Verdict::Fault, "no.such: unknown method name"},
      {whole.substr(0, whole.size() - 1), false, Verdict::Incomplete, ""},
      {whole.substr(0, whole.size() - 1), true, Verdict::Malformed, ""},
      {unsized, false, Verdict::Incomplete, ""}, {unsized, true, Verdict::Value, "K1ABC"},
      {Http("Not found", "404 Not Found"), false, Verdict::NotOk, "404"},
      {"SSH-2.0-OpenSSH_9.2\r\n\r\n", false, Verdict::Malformed, ""},
      {"HTTP/1.1 200 OK\r\nContent-Length: 4\r\nContent-Length: 5\r\n\r\nabcde", false, Verdict::Malformed, ""},
      {"HTTP/1.1 200 OK\r\nContent-Length: 65536\r\n\r\n", false, Verdict::TooLong, ""},
      {"HTTP/1.1 200 OK\r\n\r\n" + std::string(70000, 'x'), false, Verdict::TooLong, ""},
  };
  for (const auto& c : cases) {
    const XmlRpcAnswer answer = ReadXmlRpcAnswer(c.bytes, c.closed);
    EXPECT_EQ(c.verdict, answer.verdict) << c.bytes.substr(0, 200);
    EXPECT_EQ(c.text, answer.text) << c.bytes.substr(0, 200);
  }
  EXPECT_EQ(whole.size(), ReadXmlRpcAnswer(whole + whole, false).length);
  for (const char* value : {"<i4>7</i4>", "K1<b>", "&#0;", "&#xD800;", "&#x110000;", "&nbsp;", "K&amp", "<struct/>",
                            "A</value><value>B"}) {
    EXPECT_EQ(Verdict::Malformed, ReadXmlRpcAnswer(Http(Value(value)), false).verdict) << value;
  }
}

TEST(FldigiPolls, OneNoticeEachWayAndEachNewReport) {
  const StationReport km38{"fldigi", "K1ABC", "KM38MM", "JO62MM"};
  StationReport jo20 = km38;
  jo20.dxGrid = "JO20";
  FldigiPolls polls("127.0.0.1:7362");
  // Not answering from the start: one notice (only notices have a text).
  EXPECT_EQ(Fill(text::FollowFldigiSilent, {"127.0.0.1:7362", "abgelehnt"}), polls.silent("abgelehnt").text);
  EXPECT_EQ(Kind::Nothing, polls.silent("abgelehnt").kind);
  EXPECT_EQ(Fill(text::FollowFldigiBack, {"127.0.0.1:7362"}), polls.answered(km38).text);
  EXPECT_EQ("KM38MM", polls.heldBack().value_or(Heard{}).report.dxGrid);
  EXPECT_FALSE(polls.heldBack());
  EXPECT_EQ(Kind::Nothing, polls.answered(km38).kind);
  EXPECT_EQ(Kind::Report, polls.answered(jo20).kind);
  jo20.dxGrid = "JO2";
  EXPECT_EQ("", polls.answered(jo20).report.dxGrid);
}

TEST(FldigiAddress, SourceAndPoll) {
  const auto command = [](std::vector<std::string> arguments, FollowCommand&& read = {}) {
    ReadOptions options;
    const std::string problem = ReadArguments(arguments, FollowArguments, options);
    return problem.empty() ? ReadFollowCommand(options, read) : problem;
  };
  const std::pair<const char*, const char*> good[] = {{"fldigi", "127.0.0.1:7362"},
      {"fldigi:localhost:7300", "localhost:7300"}, {"fldigi:[::1]:7362", "::1:7362"}};
  for (const auto& [text, where] : good) {
    FollowCommand read;
    ASSERT_EQ("", command({"--follow", text, "--poll=0.25"}, std::move(read))) << text;
    EXPECT_EQ(SourceKind::Fldigi, read.source.kind);
    EXPECT_EQ(where, read.source.fldigi.text());
    EXPECT_EQ(250, read.source.fldigi.poll.count());
  }
  for (const char* bad : {"fldigi:", "fldigi:host", "fldigi::7362", "fldigi:host:0", "fldigi:host:65536", "fldigix"}) {
    EXPECT_EQ(Fill(text::FollowBadAddress, {bad}), command({"--follow", bad}));
  }
  for (const char* bad : {"0.09", "60.01", "-1", "nan", "1s", ""}) {
    EXPECT_EQ(Fill(text::FollowBadPoll, {bad}), command({"--follow=fldigi", "--poll", bad})) << bad;
  }
  EXPECT_EQ(text::FollowPollOnlyFldigi, command({"--follow", "--poll", "1"}));
}

}  // namespace
}  // namespace pelvorn::follow
