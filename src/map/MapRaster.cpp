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

Pixels RenderPixels(const MapRequest& request) {
  const Scene scene = BuildScene(request);
  Pixels pixels{scene.size, scene.size, std::vector<std::uint8_t>(std::size_t(scene.size) * scene.size * 4, 255)};
  agg::rendering_buffer buffer(pixels.rgba.data(), pixels.width, pixels.height, pixels.width * 4);
  agg::pixfmt_rgba32 format(buffer);
  agg::renderer_base<agg::pixfmt_rgba32> renderer(format);
  Rasteriser rasteriser;
  agg::scanline_u8 scanline;
  const auto paint = [&](Colour colour, bool evenOdd) {
    rasteriser.filling_rule(evenOdd ? agg::fill_even_odd : agg::fill_non_zero);
    agg::render_scanlines_aa_solid(rasteriser, scanline, renderer, agg::rgba8(colour.r, colour.g, colour.b, colour.a));
    rasteriser.reset();
  };
  for (const Shape& shape : scene.shapes) {
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
  return pixels;
}

}  // namespace pelvorn::map
