// Any bytes as an ADIF log: the reader and the check must not crash, the
// pieces the reader hands out must be the whole input in order, and every
// field place must lie inside its record; the copy --fix --overwrite would
// write must read again.
#include "console/AdifCheck.h"
#include "console/AdifCopy.h"
#include "console/AdifReader.h"

#include <cstdio>
#include <cstdlib>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string input(reinterpret_cast<const char*>(data), size);
  std::FILE* file = fmemopen(const_cast<char*>(input.data()), input.size(), "rb");
  if (file == nullptr) return 0;  // fmemopen refuses an empty buffer
  pelvorn::adif::Reader reader(file);
  pelvorn::adif::Unit unit;
  std::string joined, copy;
  pelvorn::adif::Reader::Step step;
  while ((step = reader.Next(unit)) == pelvorn::adif::Reader::Step::Unit) {
    const std::string_view text = reader.Text();
    if (unit.begin > unit.end || unit.end > text.size()) std::abort();
    joined.append(text.substr(unit.begin, unit.end - unit.begin));
    if (unit.kind != pelvorn::adif::Unit::Kind::Record) {
      copy.append(text.substr(unit.begin, unit.end - unit.begin));
      continue;
    }
    for (const pelvorn::adif::FieldPlace& place : unit.fields) {
      if (place.present && (place.lengthBegin < unit.begin || place.dataEnd > unit.endOfRecordTag)) std::abort();
    }
    pelvorn::adif::QsoCheck check = pelvorn::adif::CheckRecord(text, unit, std::nullopt);
    check.verdict = pelvorn::adif::QsoCheck::Verdict::Differs;
    pelvorn::adif::CopyRecord(text, unit, check, "12345.678", true, [&copy](std::string_view bytes) { copy += bytes; });
  }
  std::fclose(file);
  if (step == pelvorn::adif::Reader::Step::End && joined != input) std::abort();
  if (step == pelvorn::adif::Reader::Step::End && !copy.empty()) {
    std::FILE* again = fmemopen(copy.data(), copy.size(), "rb");
    pelvorn::adif::Reader copyReader(again);
    while ((step = copyReader.Next(unit)) == pelvorn::adif::Reader::Step::Unit) {
    }
    std::fclose(again);
    if (step != pelvorn::adif::Reader::Step::End) std::abort();
  }
  if (step == pelvorn::adif::Reader::Step::Error && reader.Error().empty()) std::abort();
  return 0;
}
