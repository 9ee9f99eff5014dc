#pragma once

#include <cstddef>
#include <string>
#include <string_view>

// fldigi's answers: one XML-RPC method response over HTTP, read from the
// bytes received so far. Small and bounded: a string or untyped value, or
// a fault; nothing else of XML-RPC.

namespace pelvorn::follow {

// Longer answers are refused: fldigi's to log.get_call is about 120 bytes.
inline constexpr std::size_t LongestXmlRpcAnswer = 64 * 1024;

struct XmlRpcAnswer {
  enum class Verdict {
    Incomplete,  // more bytes are needed
    Value,       // `text` holds the value, entities resolved (UTF-8 as sent)
    Fault,       // `text` holds the fault string
    NotOk,       // the HTTP status was not 200; `text` holds it
    Malformed,   // no XML-RPC answer of a string
    TooLong,     // longer than LongestXmlRpcAnswer
  };
  Verdict verdict = Verdict::Incomplete;
  std::string text;
  std::size_t length = 0;  // the bytes the answer took, once it is complete
};

// Reads the answer at the start of `bytes`; `closed`: the peer closed the
// connection after them (an answer without Content-Length ends there).
XmlRpcAnswer ReadXmlRpcAnswer(std::string_view bytes, bool closed);

// The HTTP request calling `method` without parameters at `host`.
std::string XmlRpcRequest(std::string_view host, std::string_view method);

}  // namespace pelvorn::follow
