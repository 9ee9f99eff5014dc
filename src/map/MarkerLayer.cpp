#include "MapRenderer.h"

#include <agg_pixfmt_rgba.h>
#include <agg_renderer_base.h>
#include <agg_rendering_buffer.h>

#include <cmath>
#include <unordered_map>

namespace pelvorn::map {

// The stamps kept; beyond this a stamp is drawn for its marker alone.
constexpr std::size_t MostStampBytes = 16u << 20;

struct MarkerLayer::Stamp {
  std::vector<std::uint8_t> fill, ring;  // side x side covers
  std::vector<int> spans;                // per row: first and end of the covers not 0, of fill and of ring
};

struct MarkerLayer::Stamps {
  int margin = 0, side = 0;
  std::unordered_map<int, Stamp> kept;
  Stamp spare;
  agg::rendering_buffer buffer;
  agg::pixfmt_rgba32_pre format;
  agg::renderer_base<agg::pixfmt_rgba32_pre> renderer;
  explicit Stamps(Pixels& layer)
      : buffer(layer.rgba.data(), layer.width, layer.height, layer.width * 4), format(buffer), renderer(format) {}
};

MarkerLayer::MarkerLayer(int size, double radiusKm, bool svg)
    : size_(size), radiusKm_(radiusKm), svgFormat_(svg), frame_(MapProjection({0, 0}, size, radiusKm)) {
  if (svg) {
    // The group is defined first and shown where the map's layers put it.
    svg_ = SvgOpening(size) + "<defs>\n<g id=\"" + std::string(MarkerGroup) + "\">\n";
  } else {
    layer_ = {size, size, std::vector<std::uint8_t>(std::size_t(size) * std::size_t(size) * 4, 0)};
    stamps_ = std::make_unique<Stamps>(layer_);
    const Shape marker = MarkerShape({0, 0}, size, 0, {});
    stamps_->margin = static_cast<int>(std::ceil(marker.radius + marker.width)) + 1;
    stamps_->side = 2 * stamps_->margin + 1;
  }
}

MarkerLayer::~MarkerLayer() = default;

const MarkerLayer::Stamp& MarkerLayer::StampAt(int offsetX, int offsetY) {
  const int key = offsetX * Quantum + offsetY;
  if (const auto found = stamps_->kept.find(key); found != stamps_->kept.end()) return found->second;
  const int side = stamps_->side;
  const auto covers = [&](bool ring) {
    Pixels tile{side, side, std::vector<std::uint8_t>(std::size_t(side) * std::size_t(side) * 4, 0)};
    Shape marker = MarkerShape({stamps_->margin + double(offsetX) / Quantum, stamps_->margin + double(offsetY) / Quantum},
                               size_, 0, {});
    // Opaque white on nothing: the alpha is the coverage.
    if (ring) marker.colour.a = 0, marker.outline = {255, 255, 255};
    if (!ring) marker.colour = {255, 255, 255}, marker.width = 0;
    Painter(tile, true).Draw(marker);
    std::vector<std::uint8_t> alpha(std::size_t(side) * std::size_t(side));
    for (std::size_t i = 0; i < alpha.size(); ++i) alpha[i] = tile.rgba[4 * i + 3];
    return alpha;
  };
  Stamp stamp{covers(false), covers(true), {}};
  for (const std::vector<std::uint8_t>* cover : {&stamp.fill, &stamp.ring}) {
    for (int row = 0; row < side; ++row) {
      const std::uint8_t* begin = cover->data() + std::size_t(row) * std::size_t(side);
      int first = 0, end = side;
      while (first < end && begin[first] == 0) ++first;
      while (end > first && begin[end - 1] == 0) --end;
      stamp.spans.insert(stamp.spans.end(), {first, end});
    }
  }
  if ((stamps_->kept.size() + 1) * 2 * std::size_t(side) * std::size_t(side) > MostStampBytes) {
    return stamps_->spare = std::move(stamp);
  }
  return stamps_->kept.emplace(key, std::move(stamp)).first->second;
}

bool MarkerLayer::Add(double km, double direction, int colour, const std::string& attributes) {
  if (radiusKm_ > 0 && km > radiusKm_) return false;
  const Shape marker = MarkerShape(frame_.AtPolar(km, direction), size_, colour, attributes);
  if (svgFormat_) {
    AppendSvgShape(svg_, marker);
    return true;
  }
  // The marker's centre in whole pixels and hundredths.
  const long long x = std::llround(marker.centre.x * Quantum), y = std::llround(marker.centre.y * Quantum);
  const Stamp& stamp = StampAt(static_cast<int>(x % Quantum), static_cast<int>(y % Quantum));
  const int left = static_cast<int>(x / Quantum) - stamps_->margin, top = static_cast<int>(y / Quantum) - stamps_->margin;
  const int side = stamps_->side;
  agg::rgba8 fill(marker.colour.r, marker.colour.g, marker.colour.b, marker.colour.a);
  agg::rgba8 ring(marker.outline.r, marker.outline.g, marker.outline.b, marker.outline.a);
  fill.premultiply();
  ring.premultiply();
  for (int row = 0; row < side; ++row) {
    const std::size_t at = std::size_t(row) * std::size_t(side);
    const int* fillSpan = &stamp.spans[2 * std::size_t(row)];
    const int* ringSpan = &stamp.spans[2 * std::size_t(side + row)];
    if (fillSpan[1] > fillSpan[0]) {
      stamps_->renderer.blend_solid_hspan(left + fillSpan[0], top + row, fillSpan[1] - fillSpan[0], fill,
                                          &stamp.fill[at + std::size_t(fillSpan[0])]);
    }
    if (ringSpan[1] > ringSpan[0]) {
      stamps_->renderer.blend_solid_hspan(left + ringSpan[0], top + row, ringSpan[1] - ringSpan[0], ring,
                                          &stamp.ring[at + std::size_t(ringSpan[0])]);
    }
  }
  return true;
}

std::string MarkerLayer::Finish(MapRequest request) {
  request.size = size_;
  request.radiusKm = radiusKm_;
  request.markers = true;
  const Scene scene = BuildScene(request);
  if (svgFormat_) return svg_ + "</g>\n</defs>\n" + SvgBody(scene);
  return EncodePng(ScenePixels(scene, &layer_));
}

}  // namespace pelvorn::map
