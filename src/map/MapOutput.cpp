#include "MapOutput.h"

#include "MapRenderer.h"

#include "common/Text.h"
#include "common/Texts.h"

#include <charconv>
#include <cmath>

namespace pelvorn::map {
namespace {

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

std::string ReadMapOutput(const std::string& output, const std::optional<std::string>& size,
                          const std::optional<std::string>& radius, MapFormat& format, MapRequest& request) {
  format = output == "-" ? MapFormat::PngToOutput : EndsWith(output, ".svg") ? MapFormat::Svg : MapFormat::Png;
  if (format == MapFormat::Png && !EndsWith(output, ".png")) return std::string(text::MapFormat);
  if (size) {
    const std::optional<double> side = NumberIn(*size, 200, 8000);
    if (!side || *side != std::floor(*side)) return Fill(text::MapBadSize, {*size});
    request.size = static_cast<int>(*side);
  }
  if (radius) {
    const std::optional<double> km = NumberIn(*radius, 100, 1e9);
    if (!km) return Fill(text::MapBadRadius, {*radius});
    request.radiusKm = *km;
  }
  return {};
}

std::string RenderMapBytes(const MapRequest& request, MapFormat format) {
  return format == MapFormat::Svg ? RenderSvg(request) : EncodePng(RenderPixels(request));
}

}  // namespace pelvorn::map
