// Any bytes as fldigi's answer: the reader never reads past their end, a
// closed connection always ends the answer, and a complete answer reads the
// same from its own bytes alone; fldigi's settings the same way.
#include "follow/FldigiSource.h"
#include "follow/XmlRpcAnswer.h"

#include <cstdint>
#include <cstdlib>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace pelvorn::follow;
  using Verdict = XmlRpcAnswer::Verdict;
  const std::string_view bytes(reinterpret_cast<const char*>(data), size);
  const XmlRpcAnswer open = ReadXmlRpcAnswer(bytes, false);
  const XmlRpcAnswer closed = ReadXmlRpcAnswer(bytes, true);
  if (closed.verdict == Verdict::Incomplete) std::abort();
  if (open.verdict == Verdict::Value || open.verdict == Verdict::Fault) {
    if (open.length > bytes.size() || open.length > LongestXmlRpcAnswer) std::abort();
    const XmlRpcAnswer alone = ReadXmlRpcAnswer(bytes.substr(0, open.length), false);
    if (alone.verdict != open.verdict || alone.text != open.text) std::abort();
  }
  if (FldigiOwnLocator(bytes).size() > 16) std::abort();
  return 0;
}
