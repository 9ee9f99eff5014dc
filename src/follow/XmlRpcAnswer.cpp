#include "XmlRpcAnswer.h"

#include <charconv>
#include <cstdint>
#include <optional>

namespace pelvorn::follow {
namespace {

using Verdict = XmlRpcAnswer::Verdict;

constexpr std::string_view HeaderEnd = "\r\n\r\n";

bool IsBlank(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; }

char Lower(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; }

bool StartsWithNoCase(std::string_view text, std::string_view prefix) {
  if (text.size() < prefix.size()) return false;
  for (std::size_t i = 0; i < prefix.size(); ++i) {
    if (Lower(text[i]) != Lower(prefix[i])) return false;
  }
  return true;
}

std::optional<std::size_t> Number(std::string_view digits, int base = 10) {
  std::size_t value = 0;
  const auto [end, error] = std::from_chars(digits.data(), digits.data() + digits.size(), value, base);
  if (digits.empty() || error != std::errc{} || end != digits.data() + digits.size()) return std::nullopt;
  return value;
}

// Appends the character `code` in UTF-8; false for a number that is no character XML allows.
bool AppendCharacter(std::string& out, std::size_t code) {
  if (code == 0 || (code >= 0xD800 && code <= 0xDFFF) || code > 0x10FFFF) return false;
  if (code < 0x80) {
    out += static_cast<char>(code);
  } else if (code < 0x800) {
    out += static_cast<char>(0xC0 | code >> 6);
    out += static_cast<char>(0x80 | (code & 0x3F));
  } else if (code < 0x10000) {
    out += static_cast<char>(0xE0 | code >> 12);
    out += static_cast<char>(0x80 | (code >> 6 & 0x3F));
    out += static_cast<char>(0x80 | (code & 0x3F));
  } else {
    out += static_cast<char>(0xF0 | code >> 18);
    out += static_cast<char>(0x80 | (code >> 12 & 0x3F));
    out += static_cast<char>(0x80 | (code >> 6 & 0x3F));
    out += static_cast<char>(0x80 | (code & 0x3F));
  }
  return true;
}

// The body of a method response, read front to back.
class Body {
public:
  explicit Body(std::string_view text) : rest_(text) {}

  bool end() {
    skipBlanks();
    return rest_.empty();
  }
  // Takes "<name>" (or "</name>" for a name starting with '/') after blanks,
  // or nothing when it is not there.
  bool tag(std::string_view name) {
    skipBlanks();
    const std::string_view before = rest_;
    if (take("<") && take(name) && take(">")) return true;
    rest_ = before;
    return false;
  }
  // Takes "<?xml ...?>" if it is there.
  bool declaration() {
    skipBlanks();
    if (!take("<?xml")) return true;
    const std::size_t close = rest_.find("?>");
    if (close == std::string_view::npos) return false;
    rest_.remove_prefix(close + 2);
    return true;
  }
  // The text up to the next tag, entities resolved.
  bool text(std::string& out) {
    out.clear();
    while (!rest_.empty() && rest_.front() != '<') {
      if (rest_.front() != '&') {
        out += rest_.front();
        rest_.remove_prefix(1);
        continue;
      }
      const std::size_t semicolon = rest_.find(';');
      if (semicolon == std::string_view::npos || semicolon > 12) return false;
      const std::string_view name = rest_.substr(1, semicolon - 1);
      rest_.remove_prefix(semicolon + 1);
      if (!entity(name, out)) return false;
    }
    return !rest_.empty();
  }
  // A value after its "<value>": a string, an untyped value or (`type` set)
  // a scalar of another type, up to and with "</value>".
  bool value(std::string& out, std::string& type) {
    type.clear();
    if (!text(out)) return false;
    if (take("</value>")) return true;
    for (char c : out) {
      if (!IsBlank(c)) return false;
    }
    if (!take("<")) return false;
    const std::size_t close = rest_.find_first_of("/>");
    if (close == std::string_view::npos || close == 0 || close > 16) return false;
    type = std::string(rest_.substr(0, close));
    rest_.remove_prefix(close);
    if (take("/>")) {
      out.clear();
    } else if (!take(">") || !text(out) || !take("</") || !take(type) || !take(">")) {
      return false;
    }
    return tag("/value");
  }

private:
  bool take(std::string_view expected) {
    if (!rest_.starts_with(expected)) return false;
    rest_.remove_prefix(expected.size());
    return true;
  }
  void skipBlanks() {
    while (!rest_.empty() && IsBlank(rest_.front())) rest_.remove_prefix(1);
  }
  static bool entity(std::string_view name, std::string& out) {
    static constexpr std::pair<std::string_view, char> Named[] = {
        {"amp", '&'}, {"lt", '<'}, {"gt", '>'}, {"quot", '"'}, {"apos", '\''}};
    for (const auto& [entityName, character] : Named) {
      if (name == entityName) {
        out += character;
        return true;
      }
    }
    if (!name.starts_with('#')) return false;
    const bool hex = name.size() > 1 && name[1] == 'x';
    const std::optional<std::size_t> code = Number(name.substr(hex ? 2 : 1), hex ? 16 : 10);
    return code && AppendCharacter(out, *code);
  }

  std::string_view rest_;
};

// The string a method response carries, or its fault string.
XmlRpcAnswer ReadBody(std::string_view text) {
  XmlRpcAnswer answer;
  answer.verdict = Verdict::Malformed;
  Body body(text);
  std::string value, type;
  if (!body.declaration() || !body.tag("methodResponse")) return answer;
  if (body.tag("params")) {
    if (!body.tag("param") || !body.tag("value") || !body.value(value, type) || !body.tag("/param") ||
        !body.tag("/params")) {
      return answer;
    }
    if (!type.empty() && type != "string") return answer;
    answer.verdict = Verdict::Value;
  } else if (body.tag("fault")) {
    if (!body.tag("value") || !body.tag("struct")) return answer;
    std::optional<std::string> fault;
    while (body.tag("member")) {
      std::string name;
      if (!body.tag("name") || !body.text(name) || !body.tag("/name") || !body.tag("value") ||
          !body.value(value, type) || !body.tag("/member")) {
        return answer;
      }
      if (name == "faultString" && (type.empty() || type == "string")) fault = value;
    }
    if (!fault || !body.tag("/struct") || !body.tag("/value") || !body.tag("/fault")) return answer;
    value = *fault;
    answer.verdict = Verdict::Fault;
  } else {
    return answer;
  }
  if (!body.tag("/methodResponse") || !body.end()) {
    answer.verdict = Verdict::Malformed;
    return answer;
  }
  answer.text = std::move(value);
  return answer;
}

}  // namespace

XmlRpcAnswer ReadXmlRpcAnswer(std::string_view bytes, bool closed) {
  XmlRpcAnswer answer;
  const auto ended = [&](Verdict verdict) {
    answer.verdict = verdict;
    return answer;
  };
  const std::size_t headerEnd = bytes.find(HeaderEnd);
  if (headerEnd == std::string_view::npos || headerEnd > LongestXmlRpcAnswer) {
    if (bytes.size() > LongestXmlRpcAnswer) return ended(Verdict::TooLong);
    return ended(closed ? Verdict::Malformed : Verdict::Incomplete);
  }
  std::string_view header = bytes.substr(0, headerEnd + 2);
  const std::size_t bodyStart = headerEnd + HeaderEnd.size();

  // "HTTP/1.1 200 OK"
  std::size_t lineEnd = header.find("\r\n");
  const std::string_view status = header.substr(0, lineEnd);
  header.remove_prefix(lineEnd + 2);
  const std::size_t space = status.find(' ');
  if (!status.starts_with("HTTP/") || space == std::string_view::npos) return ended(Verdict::Malformed);
  const std::string_view code = status.substr(space + 1, 3);
  if (!Number(code) || code.size() != 3) return ended(Verdict::Malformed);
  if (code != "200") {
    answer.text = std::string(code);
    answer.length = bodyStart;
    return ended(Verdict::NotOk);
  }

  std::optional<std::size_t> length;
  constexpr std::string_view LengthField = "content-length:";
  for (; !header.empty(); header.remove_prefix(lineEnd + 2)) {
    lineEnd = header.find("\r\n");
    std::string_view line = header.substr(0, lineEnd);
    if (!StartsWithNoCase(line, LengthField)) continue;
    line.remove_prefix(LengthField.size());
    while (!line.empty() && IsBlank(line.front())) line.remove_prefix(1);
    while (!line.empty() && IsBlank(line.back())) line.remove_suffix(1);
    const std::optional<std::size_t> given = line.size() <= 9 ? Number(line) : std::optional<std::size_t>(SIZE_MAX);
    if (!given || (length && *length != *given)) return ended(Verdict::Malformed);
    length = given;
  }
  if (length && *length > LongestXmlRpcAnswer - bodyStart) return ended(Verdict::TooLong);
  if (!length) {
    if (bytes.size() > LongestXmlRpcAnswer) return ended(Verdict::TooLong);
    if (!closed) return ended(Verdict::Incomplete);
    length = bytes.size() - bodyStart;
  }
  if (bytes.size() - bodyStart < *length) return ended(closed ? Verdict::Malformed : Verdict::Incomplete);
  answer = ReadBody(bytes.substr(bodyStart, *length));
  answer.length = bodyStart + *length;
  return answer;
}

std::string XmlRpcRequest(std::string_view host, std::string_view method) {
  std::string body = "<?xml version=\"1.0\"?>\r\n<methodCall><methodName>";
  body += method;
  body += "</methodName></methodCall>\r\n";
  std::string request = "POST /RPC2 HTTP/1.1\r\nHost: ";
  request += host;
  request += "\r\nUser-Agent: Pelvorn\r\nConnection: close\r\nContent-Type: text/xml\r\nContent-Length: ";
  request += std::to_string(body.size());
  request += "\r\n\r\n";
  return request + body;
}

}  // namespace pelvorn::follow
