#include "N1mmDatagram.h"

#include "common/Text.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cstdint>

namespace pelvorn::follow {
namespace {

constexpr std::size_t DeepestNesting = 16;
constexpr std::string_view XmlBlanks = " \t\r\n";

// What the document says: its root's name and the text of the root's
// children that are read (the first of each name).
struct Document {
  std::string_view root;
  std::array<std::string, 4> values;  // call, gridsquare, StationName, app
  unsigned seen = 0;

  // Where the text of the root's child `name` goes; null when it is not read.
  std::string* field(std::string_view name) {
    static constexpr std::string_view names[] = {"call", "gridsquare", "StationName", "app"};
    for (unsigned i = 0; i < values.size(); ++i) {
      if (name != names[i] || (seen & 1u << i) != 0) continue;
      seen |= 1u << i;
      return &values[i];
    }
    return nullptr;
  }
};

bool IsNameStart(char c) {
  return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || c == '_' || c == ':' || static_cast<unsigned char>(c) >= 0x80;
}
bool IsNamePart(char c) { return IsNameStart(c) || (c >= '0' && c <= '9') || c == '-' || c == '.'; }

bool IsXmlCharacter(std::uint32_t c) {
  return c == 0x9 || c == 0xa || c == 0xd || (c >= 0x20 && c <= 0xd7ff) || (c >= 0xe000 && c <= 0xfffd) ||
         (c >= 0x10000 && c <= 0x10ffff);
}

// The document, consumed from the front; the first fault ends the reading.
class Reader {
public:
  explicit Reader(std::string_view text) : in_(text) {}

  const char* problem() const { return problem_; }

  bool read(Document& document) {
    if (in_.substr(0, 3) == "\xef\xbb\xbf") in_.remove_prefix(3);
    if (!skipMisc()) return false;
    std::array<std::string_view, DeepestNesting> open;
    std::size_t depth = 0;
    std::string* text = nullptr;  // where the text of the root's child being read goes
    do {
      if (in_.empty()) return fail(depth == 0 ? "no root element" : "ends inside an element");
      if (in_.front() != '<' || starts("<![CDATA[")) {
        if (depth == 0) return fail("text outside the root element");
        if (!characterData(depth == 2 ? text : nullptr)) return false;
      } else if (starts("</")) {
        in_.remove_prefix(2);
        std::string_view name;
        if (!readName(name)) return false;
        skipBlanks();
        if (!take(">")) return fail("an unterminated end tag");
        if (depth == 0 || name != open[depth - 1]) return fail("an end tag that matches no start tag");
        --depth;
      } else if (starts("<?") || starts("<!--")) {
        if (!skipMarkup()) return false;
      } else if (starts("<!")) {
        return fail("a declaration");
      } else {
        in_.remove_prefix(1);
        std::string_view name;
        bool empty = false;
        if (!readName(name) || !attributes(empty)) return false;
        if (depth == 0) document.root = name;
        if (depth == 1) text = document.field(name);
        if (!empty) {
          if (depth == open.size()) return fail("elements nested too deep");
          open[depth++] = name;
        }
      }
    } while (depth > 0);
    if (!skipMisc()) return false;
    return in_.empty() || fail("text after the root element");
  }

private:
  bool fail(const char* problem) {
    problem_ = problem;
    return false;
  }
  bool starts(std::string_view prefix) const { return in_.substr(0, prefix.size()) == prefix; }
  bool take(std::string_view prefix) {
    if (!starts(prefix)) return false;
    in_.remove_prefix(prefix.size());
    return true;
  }
  bool skipBlanks() {
    const std::size_t blanks = std::min(in_.find_first_not_of(XmlBlanks), in_.size());
    in_.remove_prefix(blanks);
    return blanks > 0;
  }
  // A comment or a processing instruction (the XML declaration too).
  bool skipMarkup() {
    const std::string_view end = starts("<?") ? "?>" : "-->";
    const std::size_t at = in_.find(end, 2);
    if (at == std::string_view::npos) return fail("an unterminated comment or processing instruction");
    in_.remove_prefix(at + end.size());
    return true;
  }
  bool skipMisc() {
    do {
      skipBlanks();
    } while ((starts("<?") || starts("<!--")) && skipMarkup());
    return problem_ == nullptr;
  }
  bool readName(std::string_view& name) {
    if (in_.empty() || !IsNameStart(in_.front())) return fail("a tag without a name");
    std::size_t size = 1;
    while (size < in_.size() && IsNamePart(in_[size])) ++size;
    name = in_.substr(0, size);
    in_.remove_prefix(size);
    return true;
  }
  // After a tag's name up to its end; `empty` for "/>".
  bool attributes(bool& empty) {
    for (;;) {
      const bool spaced = skipBlanks();
      if ((empty = take("/>")) || take(">")) return true;
      std::string_view name;
      if (!spaced || !readName(name)) return fail("a bad attribute or an unterminated tag");
      skipBlanks();
      if (!take("=")) return fail("an attribute without a value");
      skipBlanks();
      const char quote = in_.empty() ? '\0' : in_.front();
      const std::size_t end = quote == '"' || quote == '\'' ? in_.find(quote, 1) : std::string_view::npos;
      if (end == std::string_view::npos) return fail("an attribute value without its quotes");
      const std::string_view value = in_.substr(1, end - 1);
      if (value.find('<') != std::string_view::npos) return fail("a '<' in an attribute value");
      if (!decode(value, nullptr)) return false;
      in_.remove_prefix(end + 1);
    }
  }
  // Text up to the next tag, or one CDATA section; appended to `to` unless null.
  bool characterData(std::string* to) {
    if (take("<![CDATA[")) {
      const std::size_t end = in_.find("]]>");
      if (end == std::string_view::npos) return fail("an unterminated CDATA section");
      if (to != nullptr) to->append(in_.substr(0, end));
      in_.remove_prefix(end + 3);
      return true;
    }
    const std::size_t end = std::min(in_.find('<'), in_.size());
    const std::string_view text = in_.substr(0, end);
    in_.remove_prefix(end);
    return decode(text, to);
  }
  // `text` with its character references replaced, appended to `to` unless null.
  bool decode(std::string_view text, std::string* to) {
    static constexpr std::pair<std::string_view, char> named[] = {
        {"amp", '&'}, {"lt", '<'}, {"gt", '>'}, {"quot", '"'}, {"apos", '\''}};
    for (std::size_t amp; (amp = text.find('&')) != std::string_view::npos;) {
      if (to != nullptr) to->append(text.substr(0, amp));
      const std::size_t semicolon = text.find(';', amp);
      if (semicolon == std::string_view::npos || semicolon - amp > 10) return fail("an unterminated reference");
      const std::string_view name = text.substr(amp + 1, semicolon - amp - 1);
      text.remove_prefix(semicolon + 1);
      std::u16string character;
      for (const auto& [entity, c] : named) {
        if (name == entity) character = c;
      }
      if (character.empty() && !number(name, character)) return fail("a reference to no character");
      if (to != nullptr) to->append(ToUtf8(character));
    }
    if (to != nullptr) to->append(text);
    return true;
  }
  // "#65" or "#x41" as the character it names.
  static bool number(std::string_view name, std::u16string& character) {
    if (name.substr(0, 1) != "#") return false;
    const bool hex = name.substr(1, 1) == "x";
    const std::string_view digits = name.substr(hex ? 2 : 1);
    std::uint32_t c = 0;
    const auto [end, error] = std::from_chars(digits.data(), digits.data() + digits.size(), c, hex ? 16 : 10);
    if (digits.empty() || error != std::errc{} || end != digits.data() + digits.size() || !IsXmlCharacter(c)) return false;
    if (c > 0xffff) {
      character = {static_cast<char16_t>(0xd7c0 + (c >> 10)), static_cast<char16_t>(0xdc00 | (c & 0x3ff))};
    } else {
      character = static_cast<char16_t>(c);
    }
    return true;
  }

  std::string_view in_;
  const char* problem_ = nullptr;
};

}  // namespace

N1mmDatagram ReadN1mmDatagram(std::string_view bytes) {
  N1mmDatagram datagram;
  if (bytes.size() > N1mmLargestDatagram) {
    datagram.problem = "too large";
    return datagram;
  }
  Document document;
  Reader reader(bytes);
  if (!reader.read(document)) {
    datagram.problem = reader.problem();
    return datagram;
  }
  datagram.verdict = N1mmDatagram::Verdict::Ignored;
  if (document.root != "lookupinfo" && document.root != "contactinfo" && document.root != "contactreplace") {
    return datagram;
  }
  const auto value = [&document](std::size_t i) { return std::string(TrimAscii(document.values[i], XmlBlanks)); };
  datagram.verdict = N1mmDatagram::Verdict::Report;
  datagram.report.dxCall = value(0);
  datagram.report.dxGrid = value(1);
  datagram.report.id = value(2).empty() ? value(3) : value(2);
  return datagram;
}

}  // namespace pelvorn::follow
