// Any bytes as an EDI log: the check must not crash, and a corrected copy
// must keep every line end and every line it has no reason to touch, and
// check clean itself.
#include "console/EdiLog.h"

#include <cstdlib>
#include <string>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  // Most inputs should get past the first line and PWWLo.
  const std::string file = "[REG1TEST;1]\r\nPWWLo=JO65FR\r\n" +
                           std::string(reinterpret_cast<const char*>(data), size);
  const pelvorn::edi::LogCheck check = pelvorn::edi::CheckLog(file);
  (void)pelvorn::edi::ReportText(check);
  std::string whyNot;
  const std::optional<std::string> corrected = pelvorn::edi::CorrectedLog(file, check, whyNot);
  if (!corrected) {
    if (whyNot.empty()) std::abort();
    return 0;
  }
  const std::vector<pelvorn::edi::Line> before = pelvorn::edi::SplitLines(file);
  const std::vector<pelvorn::edi::Line> after = pelvorn::edi::SplitLines(*corrected);
  if (before.size() != after.size()) std::abort();
  std::vector<bool> mayChange(before.size(), false);
  for (const auto& qso : check.qsos) mayChange[qso.line] = true;
  if (check.cqsopLine) mayChange[*check.cqsopLine] = true;
  if (check.codxcLine) mayChange[*check.codxcLine] = true;
  for (std::size_t i = 0; i < before.size(); ++i) {
    if (before[i].end != after[i].end) std::abort();
    if (!mayChange[i] && before[i].text != after[i].text) std::abort();
  }
  const pelvorn::edi::LogCheck again = pelvorn::edi::CheckLog(*corrected);
  for (const auto& qso : again.qsos) {
    if (qso.verdict == pelvorn::edi::QsoCheck::Verdict::Differs) std::abort();
  }
  if (again.cqsopLine && again.claimedTotal != again.recomputedTotal) std::abort();
  return 0;
}
