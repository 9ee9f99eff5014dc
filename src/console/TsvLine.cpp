#include "TsvLine.h"

#include <charconv>

namespace pelvorn {
namespace {

void AppendDirection(std::string& out, double degrees) {
  const std::size_t start = out.size();
  AppendFixed(out, degrees, 2);
  if (std::string_view(out).substr(start) == "360.00") {
    out.resize(start);
    out += "0.00";
  }
}

void AppendCleaned(std::string& out, std::string_view text) {
  for (char c : text) out += (c == '\t' || c == '\r' || c == '\n') ? ' ' : c;
}

}  // namespace

void AppendFixed(std::string& out, double value, int decimals) {
  char buffer[400];  // enough for any double in fixed notation
  const auto [end, error] = std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::fixed, decimals);
  if (error != std::errc{}) return;
  std::string_view text(buffer, static_cast<std::size_t>(end - buffer));
  // A value that rounds to zero shows no sign.
  if (text.starts_with('-') && text.find_first_not_of("-0.") == std::string_view::npos) text.remove_prefix(1);
  out += text;
}

void AppendPathColumns(std::string& out, double km, double direction, double longPathKm, double longPathDirection) {
  AppendFixed(out, km, 3);
  out += '\t';
  AppendDirection(out, direction);
  out += '\t';
  AppendFixed(out, longPathKm, 3);
  out += '\t';
  AppendDirection(out, longPathDirection);
}

void AppendTsvLine(std::string& out, const TsvResult& result) {
  AppendCleaned(out, result.ownLocator);
  out += '\t';
  AppendCleaned(out, result.foreignLocator);
  out += '\t';
  AppendPathColumns(out, result.km, result.direction, result.longPathKm, result.longPathDirection);
  out += '\t';
  char buffer[24];
  const auto [end, error] = std::to_chars(buffer, buffer + sizeof buffer, result.contestKm);
  if (error == std::errc{}) out.append(buffer, end);
}

void AppendTsvWithoutResult(std::string& out, std::string_view ownInput, std::string_view foreignInput) {
  AppendCleaned(out, ownInput);
  out += '\t';
  AppendCleaned(out, foreignInput);
  out += "\t\t\t\t\t";
}

}  // namespace pelvorn
