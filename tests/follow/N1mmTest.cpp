// N1MM's XML datagrams as its documented format has them, and what breaks them.
#include "follow/N1mmDatagram.h"
#include "follow/SourceAddress.h"

#include <gtest/gtest.h>

namespace pelvorn::follow {
namespace {

// A document as N1MM sends it, with `fields` among a few of the others.
std::string Document(const std::string& root, const std::string& fields) {
  return "<?xml version=\"1.0\" encoding=\"utf-8\"?>\r\n<" + root + ">\r\n  <app>N1MM</app>\r\n  <mycall>DL1ABC</mycall>" +
         fields + "<band>14</band><RadioInfo><call>X</call></RadioInfo>\r\n</" + root + ">\r\n";
}

TEST(N1mmDatagram, EveryKindOfDocument) {
  using V = N1mmDatagram::Verdict;
  struct Case { const char* name; std::string bytes; V verdict; StationReport report; const char* problem; };
  const std::string op = "<StationName>OP1</StationName>", lookup = "<call>K1ABC</call><gridsquare>KM38MM</gridsquare>";
  std::string atLimit = Document("lookupinfo", lookup + "<!---->"), deep = "<a></a>";
  atLimit.insert(atLimit.find("<!--") + 4, N1mmLargestDatagram - atLimit.size(), 'x');
  for (int depth = 1; depth < 16; ++depth) deep = "<a>" + deep + "</a>";
  const Case cases[] = {
      {"lookupinfo with a grid", Document("lookupinfo", lookup + op), V::Report, {"OP1", "K1ABC", "KM38MM", ""}, ""},
      {"lookupinfo without a grid or station", Document("lookupinfo", "<call>K1ABC</call><gridsquare/>"), V::Report,
       {"N1MM", "K1ABC", "", ""}, ""},
      {"contactinfo, blanks around", Document("contactinfo", "<gridsquare>\n KM38 </gridsquare><call> K1ABC</call>" + op),
       V::Report, {"OP1", "K1ABC", "KM38", ""}, ""},
      {"contactreplace, the first grid", Document("contactreplace", "<gridsquare>JO20</gridsquare><gridsquare>KM38"
       "</gridsquare>"), V::Report, {"N1MM", "", "JO20", ""}, ""},
      {"references, CDATA, comments, attributes", "\xef\xbb\xbf<!--x--><lookupinfo a='1' b=\"&lt;\"><call>K&amp;1&#65;"
       "&#x20AC;&#x1F600;</call><gridsquare a='&gt;'><![CDATA[KM]]>38<!--MM--><x>JO</x>MM</gridsquare></lookupinfo>",
       V::Report, {"", "K&1A\xe2\x82\xac\xf0\x9f\x98\x80", "KM38MM", ""}, ""},
      {"at the size limit", atLimit, V::Report, {"N1MM", "K1ABC", "KM38MM", ""}, ""},
      {"RadioInfo", Document("RadioInfo", lookup), V::Ignored, {}, ""},
      {"one byte over the limit", atLimit + ' ', V::Malformed, {}, "too large"},
      {"64 KiB of garbage", std::string(65536, '\x81'), V::Malformed, {}, "too large"},
      {"empty", "", V::Malformed, {}, "no root element"},
      {"cut short", "<lookupinfo>" + lookup, V::Malformed, {}, "ends inside an element"},
      {"wrong end tag", "<lookupinfo><call>K1ABC</Call></lookupinfo>", V::Malformed, {}, "an end tag that matches no start tag"},
      {"empty reference", Document("lookupinfo", "<call>&;</call>"), V::Malformed, {}, "a reference to no character"},
      {"bare ampersand", "<lookupinfo><call>K&1</call></lookupinfo>", V::Malformed, {}, "an unterminated reference"},
      {"reference to a surrogate", "<lookupinfo a='&#xD800;'/>", V::Malformed, {}, "a reference to no character"},
      {"unquoted attribute", "<lookupinfo a=1/>", V::Malformed, {}, "an attribute value without its quotes"},
      {"document type", "<!DOCTYPE x [<!ENTITY a 'b'>]><lookupinfo/>", V::Malformed, {}, "a declaration"},
      {"two roots", "<lookupinfo/> <lookupinfo/>", V::Malformed, {}, "text after the root element"},
      {"text before the root", "x<lookupinfo/>", V::Malformed, {}, "text outside the root element"},
      {"16 deep", deep, V::Ignored, {}, ""},
      {"17 deep", "<a>" + deep + "</a>", V::Malformed, {}, "elements nested too deep"},
  };
  const auto fields = [](const StationReport& r) { return r.id + '|' + r.dxCall + '|' + r.dxGrid + '|' + r.deGrid; };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const N1mmDatagram datagram = ReadN1mmDatagram(c.bytes);
    EXPECT_EQ(c.verdict, datagram.verdict);
    EXPECT_EQ(c.problem, datagram.problem);
    EXPECT_EQ(fields(c.report), fields(datagram.report));
  }
}

TEST(SourceAddress, N1mm) {
  const std::pair<const char*, const char*> good[] = {{"n1mm", "0.0.0.0:12060 port 12060"},
      {"n1mm:127.0.0.1", "127.0.0.1:12060 port 12060"}, {"n1mm:192.168.1.255:12061", "192.168.1.255:12061 port 12061"}};
  for (const auto& [text, listen] : good) {
    const auto address = ParseSourceAddress(text);
    ASSERT_TRUE(address && address->kind == SourceKind::N1mm) << text;
    EXPECT_EQ(listen, address->listen.text + " port " + std::to_string(address->listen.port));
  }
  for (const char* bad : {"n1mm:", "n1mmx", "n1mm:localhost:12060"}) EXPECT_FALSE(ParseSourceAddress(bad)) << bad;
}

}  // namespace
}  // namespace pelvorn::follow
