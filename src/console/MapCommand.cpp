#include "MapCommand.h"

#include "common/Text.h"
#include "common/Texts.h"
#include "console/BatchLine.h"
#include "console/ConsoleToolStatus.h"
#include "console/ReplaceFile.h"
#include "map/MapRenderer.h"

#include <charconv>
#include <cmath>

namespace pelvorn {
namespace {

int Refuse(std::FILE* err, const std::string& problem, int status) {
  std::fputs(Fill(text::ErrorLine, {problem}).c_str(), err);
  if (status == ToolInputUnreadable) std::fputs(std::string(text::ConsoleUsage).c_str(), err);
  return status;
}

// A whole number (size) or a decimal (radius) between `least` and `most`.
std::optional<double> NumberIn(const std::string& text, double least, double most) {
  double value = 0;
  const char* end = text.data() + text.size();
  const auto [ptr, error] = std::from_chars(text.data(), end, value);
  if (error != std::errc() || ptr != end || !(value >= least && value <= most)) return std::nullopt;
  return value;
}

bool EndsWith(std::string text, std::string_view ending) {
  for (char& c : text) c = static_cast<char>(c >= 'A' && c <= 'Z' ? c - 'A' + 'a' : c);
  return text.ends_with(ending);
}

}  // namespace

int RunMap(const MapCall& call, const NumberLocale& locale, std::FILE* out, std::FILE* err) {
  const bool toOutput = call.output == "-";
  const bool svg = !toOutput && EndsWith(call.output, ".svg");
  if (!toOutput && !svg && !EndsWith(call.output, ".png")) return Refuse(err, std::string(text::MapFormat), ToolInputUnreadable);
  map::MapRequest request;
  if (call.size) {
    const std::optional<double> size = NumberIn(*call.size, 200, 8000);
    if (!size || *size != std::floor(*size)) return Refuse(err, Fill(text::MapBadSize, {*call.size}), ToolInputUnreadable);
    request.size = static_cast<int>(*size);
  }
  if (call.radius) {
    const std::optional<double> radius = NumberIn(*call.radius, 100, 1e9);
    if (!radius) return Refuse(err, Fill(text::MapBadRadius, {*call.radius}), ToolInputUnreadable);
    request.radiusKm = *radius;
  }
  if (call.operands.size() != 1) return Refuse(err, std::string(text::MapTakesOneLine), ToolInputUnreadable);

  BatchPair pair;
  if (const std::string reason = ReadBatchPair(call.operands.front(), locale, pair); !reason.empty()) {
    return Refuse(err, reason, ToolSomeDiffer);
  }
  request.own = {pair.ownLatitude, pair.ownLongitude, pair.ownLocator};
  request.dx = map::Station{pair.foreignLatitude, pair.foreignLongitude, pair.foreignLocator};
  request.caption = Fill(text::MapCaption, {pair.ownLocator, pair.foreignLocator, pair.resultLine});
  const std::string bytes = svg ? map::RenderSvg(request) : map::EncodePng(map::RenderPixels(request));

  if (toOutput) {
    if (std::fwrite(bytes.data(), 1, bytes.size(), out) != bytes.size() || std::fflush(out) != 0) {
      return Refuse(err, std::string(text::OutputNotWritable), ToolInputUnreadable);
    }
    return ToolSuccess;
  }
  std::string error;
  if (!ReplaceFileContents(call.output, bytes, error)) return Refuse(err, Fill(text::About, {call.output, error}), ToolInputUnreadable);
  return ToolSuccess;
}

}  // namespace pelvorn
