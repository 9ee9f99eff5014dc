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

std::string ReadPictureOptions(const std::string& output, const std::optional<std::string>& size,
                               const std::optional<std::string>& radius, PictureOptions& read) {
  read.toOutput = output == "-";
  read.svg = !read.toOutput && EndsWith(output, ".svg");
  if (!read.toOutput && !read.svg && !EndsWith(output, ".png")) return std::string(text::MapFormat);
  if (size) {
    const std::optional<double> value = NumberIn(*size, 200, 8000);
    if (!value || *value != std::floor(*value)) return Fill(text::MapBadSize, {*size});
    read.size = static_cast<int>(*value);
  }
  if (radius) {
    const std::optional<double> value = NumberIn(*radius, 100, 1e9);
    if (!value) return Fill(text::MapBadRadius, {*radius});
    read.radiusKm = *value;
  }
  return {};
}

int RunMap(const MapCall& call, const NumberLocale& locale, std::FILE* out, std::FILE* err, std::string& wrongCall) {
  const auto wrong = [&](std::string reason) {
    wrongCall = std::move(reason);
    return ToolInputUnreadable;
  };
  PictureOptions picture;
  if (std::string reason = ReadPictureOptions(call.output, call.size, call.radius, picture); !reason.empty()) {
    return wrong(std::move(reason));
  }
  const bool toOutput = picture.toOutput, svg = picture.svg;
  map::MapRequest request;
  request.size = picture.size;
  request.radiusKm = picture.radiusKm;
  if (call.operands.size() != 1) return wrong(std::string(text::MapTakesOneLine));

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
