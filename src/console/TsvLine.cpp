#include "TsvLine.h"

#include <charconv>

namespace pelvorn {

void AppendTsvLine(std::string& out, const TsvResult& result) {
  AppendTsvField(out, result.ownLocator);
  out += '\t';
  AppendTsvField(out, result.foreignLocator);
  out += '\t';
  AppendPathColumns(out, result.km, result.direction, result.longPathKm, result.longPathDirection);
  out += '\t';
  char buffer[24];
  const auto [end, error] = std::to_chars(buffer, buffer + sizeof buffer, result.contestKm);
  if (error == std::errc{}) out.append(buffer, end);
}

void AppendTsvWithoutResult(std::string& out, std::string_view ownInput, std::string_view foreignInput) {
  AppendTsvField(out, ownInput);
  out += '\t';
  AppendTsvField(out, foreignInput);
  out += "\t\t\t\t\t";
}

}  // namespace pelvorn
