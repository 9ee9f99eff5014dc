#include "MapRenderer.h"
#include "MapScene.h"

#include <agg_pixfmt_rgba.h>
#include <agg_rasterizer_scanline_aa.h>
#include <agg_renderer_base.h>
#include <agg_renderer_scanline.h>
#include <agg_rendering_buffer.h>
#include <agg_scanline_u.h>

#include <cmath>

namespace pelvorn::map {
namespace {

using Rasteriser = agg::rasterizer_scanline_aa<>;

void AddContour(Rasteriser& rasteriser, const Contour& contour) {
  if (contour.size() < 2) return;
  rasteriser.move_to_d(contour.front().x, contour.front().y);
  for (std::size_t i = 1; i < contour.size(); ++i) rasteriser.line_to_d(contour[i].x, contour[i].y);
  rasteriser.close_polygon();
}

// A line of `width` as filled pieces, all wound the same way for the
// nonzero rule: a quadrangle per segment and a disc on every point (round
// joins and caps, as the SVG's stroke-linejoin and stroke-linecap).
void AddStroke(Rasteriser& rasteriser, const Contour& line, bool closed, double width) {
  const double half = width / 2;
  const Contour dot = Circle({0, 0}, half);
  const auto addDot = [&](const Point& at) {
    Contour placed = dot;
    for (Point& p : placed) p = {Quantised(at.x + p.x), Quantised(at.y + p.y)};
    AddContour(rasteriser, placed);
  };
  const std::size_t segments = closed ? line.size() : line.size() - 1;
  for (std::size_t i = 0; i < segments; ++i) {
    const Point& a = line[i];
    const Point& b = line[(i + 1) % line.size()];
    const double length = std::hypot(b.x - a.x, b.y - a.y);
    if (length > 0) {
      const double nx = -(b.y - a.y) / length * half, ny = (b.x - a.x) / length * half;
      AddContour(rasteriser, {{Quantised(a.x + nx), Quantised(a.y + ny)}, {Quantised(a.x - nx), Quantised(a.y - ny)},
                              {Quantised(b.x - nx), Quantised(b.y - ny)}, {Quantised(b.x + nx), Quantised(b.y + ny)}});
    }
    // A join where the line turns by less than this leaves a gap far below a pixel.
    const Point& before = line[(i + line.size() - 1) % line.size()];
    const bool end = !closed && i == 0;
    const double turn = (a.x - before.x) * (b.x - a.x) + (a.y - before.y) * (b.y - a.y);
    const double lengths = std::hypot(a.x - before.x, a.y - before.y) * length;
    if (end || turn < 0.97 * lengths || half > 3) addDot(a);
  }
  if (!closed && !line.empty()) addDot(line.back());
}

// The dashes of `line`: `dash` on, `dash` off, from its start.
std::vector<Contour> Dashes(const Contour& line, double dash) {
  std::vector<Contour> out;
  double travelled = 0;
  bool on = true;
  out.push_back({line.front()});
  for (std::size_t i = 1; i < line.size(); ++i) {
    Point a = line[i - 1];
    const Point b = line[i];
    double length = std::hypot(b.x - a.x, b.y - a.y);
    while (travelled + length >= dash && length > 0) {
      const double t = (dash - travelled) / length;
      const Point cut{a.x + t * (b.x - a.x), a.y + t * (b.y - a.y)};
      if (on) out.back().push_back(cut);
      on = !on;
      if (on) out.push_back({cut});
      length -= dash - travelled;
      travelled = 0;
      a = cut;
    }
    travelled += length;
    if (on) out.back().push_back(b);
  }
  for (Contour& piece : out) Quantise(piece);
  return out;
}

}  // namespace

struct Painter::State {
  agg::rendering_buffer buffer;
  agg::pixfmt_rgba32 opaque;
  agg::pixfmt_rgba32_pre premultiplied;
  agg::renderer_base<agg::pixfmt_rgba32> opaqueRenderer;
  agg::renderer_base<agg::pixfmt_rgba32_pre> layerRenderer;
  bool layer;
  Rasteriser rasteriser;
  agg::scanline_u8 scanline;
  State(Pixels& pixels, bool isLayer)
      : buffer(pixels.rgba.data(), pixels.width, pixels.height, pixels.width * 4), opaque(buffer),
        premultiplied(buffer), opaqueRenderer(opaque), layerRenderer(premultiplied), layer(isLayer) {}
};

Painter::Painter(Pixels& pixels, bool layer) : state_(std::make_unique<State>(pixels, layer)) {}
Painter::~Painter() = default;

void Painter::Draw(const Shape& shape) {
  Rasteriser& rasteriser = state_->rasteriser;
  const auto paint = [&](Colour colour, bool evenOdd) {
    rasteriser.filling_rule(evenOdd ? agg::fill_even_odd : agg::fill_non_zero);
    const agg::rgba8 plain(colour.r, colour.g, colour.b, colour.a);
    if (state_->layer) {
      agg::rgba8 premultiplied = plain;
      agg::render_scanlines_aa_solid(rasteriser, state_->scanline, state_->layerRenderer, premultiplied.premultiply());
    } else {
      agg::render_scanlines_aa_solid(rasteriser, state_->scanline, state_->opaqueRenderer, plain);
    }
    rasteriser.reset();
  };
  switch (shape.kind) {
    case Shape::Kind::Fill:
      for (const Contour& contour : shape.contours) AddContour(rasteriser, contour);
      paint(shape.colour, shape.evenOdd);
      break;
    case Shape::Kind::Stroke:
      for (const Contour& contour : shape.contours) {
        if (contour.empty()) continue;
        if (shape.dash > 0) {
          for (const Contour& piece : Dashes(contour, shape.dash)) AddStroke(rasteriser, piece, false, shape.width);
        } else {
          AddStroke(rasteriser, contour, shape.closed, shape.width);
        }
      }
      paint(shape.colour, false);
      break;
    case Shape::Kind::Circle: {
      Contour outer = Circle(shape.centre, shape.radius + shape.width / 2);
      Quantise(outer);
      if (shape.colour.a) {
        Contour disc = Circle(shape.centre, shape.radius);
        Quantise(disc);
        AddContour(rasteriser, disc);
        paint(shape.colour, false);
      }
      if (shape.width > 0) {
        Contour inner = Circle(shape.centre, shape.radius - shape.width / 2);
        Quantise(inner);
        AddContour(rasteriser, outer);
        AddContour(rasteriser, inner);
        paint(shape.outline, true);
      }
      break;
    }
    case Shape::Kind::Text:
      for (const PlacedGlyph& placed : shape.glyphs) {
        for (const Contour& contour : placed.glyph->contours) {
          Contour moved = contour;
          for (Point& p : moved) p = {placed.x + p.x * shape.scale, placed.y - p.y * shape.scale};
          AddContour(rasteriser, moved);
        }
      }
      paint(shape.colour, false);
      break;
  }
}

Pixels ScenePixels(const Scene& scene, const Pixels* layer) {
  Pixels pixels{scene.size, scene.size, std::vector<std::uint8_t>(std::size_t(scene.size) * scene.size * 4, 255)};
  Painter painter(pixels, false);
  for (std::size_t i = 0; i <= scene.shapes.size(); ++i) {
    if (i == scene.overlayAt && layer != nullptr && layer->rgba.size() == pixels.rgba.size()) {
      // Porter and Duff's "over", as AGG blends premultiplied colours.
      for (std::size_t k = 0; k < pixels.rgba.size(); k += 4) {
        const std::uint8_t alpha = layer->rgba[k + 3];
        for (std::size_t c = 0; c < 4; ++c) {
          pixels.rgba[k + c] = agg::rgba8::prelerp(pixels.rgba[k + c], layer->rgba[k + c], alpha);
        }
      }
    }
    if (i < scene.shapes.size()) painter.Draw(scene.shapes[i]);
  }
  return pixels;
}

Pixels RenderPixels(const MapRequest& request) { return ScenePixels(BuildScene(request)); }

}  // namespace pelvorn::map
