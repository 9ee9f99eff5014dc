#pragma once

#include "MapGeometry.h"
#include "MapRequest.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

// A map as a list of shapes in drawing order, every coordinate quantised:
// the SVG writer and the rasteriser both draw this list, so the two show
// the same geometry.

namespace pelvorn::map {

struct Colour {
  std::uint8_t r, g, b, a = 255;
};

// One glyph of the embedded font, its outline in font units (y up).
struct Glyph {
  char32_t code = 0;
  int advance = 0;
  std::vector<std::vector<Point>> contours;
};
struct Font {
  int unitsPerEm = 2048;
  std::vector<Glyph> glyphs;  // sorted by code
  const Glyph& Find(char32_t code) const;  // '?' for a character it lacks
};
const Font& EmbeddedFont();

struct PlacedGlyph {
  const Glyph* glyph;
  double x, y;  // the origin on the baseline, pixels
};

struct Shape {
  enum class Kind {
    Fill,          // contours, filled (evenOdd or nonzero)
    Stroke,        // contours as lines of `width` (closed or open), dashed when dash > 0
    Circle,        // centre and radius: filled with `colour`, and outlined when width > 0
    Text,          // glyphs scaled by `scale`, filled
  } kind = Kind::Fill;
  std::string attributes;  // the SVG's id, class, data-…
  Colour colour{0, 0, 0};
  std::vector<Contour> contours;
  bool evenOdd = false;
  bool closed = false;
  double width = 0;
  double dash = 0;
  Point centre;
  double radius = 0;
  Colour outline{0, 0, 0};
  std::vector<PlacedGlyph> glyphs;
  double scale = 0;
};

struct Scene {
  int size = 0;
  std::vector<Shape> shapes;
  std::size_t overlayAt = SIZE_MAX;  // where a layer drawn apart goes (MapRequest::markers)
};

Scene BuildScene(const MapRequest& request);
Scene BuildChartScene(const ChartRequest& request);

// The projection of the map of `size` pixels and `radiusKm` (0: the whole
// earth) centred on `centre`; its disc and scale do not depend on `centre`.
Projection MapProjection(Degrees centre, int size, double radiusKm);

// The marker of a log's QSO at `at` on a map of `size` pixels, in colour
// `colour` (a band's number; below 0: no band).
Shape MarkerShape(Point at, int size, int colour, std::string attributes);
Colour MarkerColour(int colour);

}  // namespace pelvorn::map
