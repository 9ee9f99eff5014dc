#include "AdifCopy.h"

#include <string>

namespace pelvorn::adif {

CopyAction CopyRecord(std::string_view text, const Unit& unit, const QsoCheck& check, std::string_view value,
                      bool overwrite, const std::function<void(std::string_view)>& write) {
  const std::string_view record = text.substr(unit.begin, unit.end - unit.begin);
  const bool fill = check.verdict == QsoCheck::Verdict::Missing;
  if (!fill && !(overwrite && check.verdict == QsoCheck::Verdict::Differs)) {
    write(record);
    return CopyAction::Kept;
  }
  const std::string length = std::to_string(value.size());
  std::size_t size = record.size();
  if (unit.distances.empty()) {
    size += std::string_view("<DISTANCE:>").size() + length.size() + value.size();
  }
  for (const FieldPlace& place : unit.distances) {
    size += length.size() + value.size() - (place.lengthEnd - place.lengthBegin) - (place.dataEnd - place.dataBegin);
  }
  if (size > MaximumRecordBytes) {
    write(record);
    return CopyAction::TooLarge;
  }
  std::size_t from = unit.begin;
  for (const FieldPlace& place : unit.distances) {
    write(text.substr(from, place.lengthBegin - from));
    write(length);
    write(text.substr(place.lengthEnd, place.dataBegin - place.lengthEnd));
    write(value);
    from = place.dataEnd;
  }
  if (unit.distances.empty()) {
    write(text.substr(from, unit.endOfRecordTag - from));
    write("<DISTANCE:" + length + ">");
    write(value);
    from = unit.endOfRecordTag;
  }
  write(text.substr(from, unit.end - from));
  return fill ? CopyAction::Filled : CopyAction::Replaced;
}

}  // namespace pelvorn::adif
