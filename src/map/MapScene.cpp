#include "MapScene.h"

#include "MapData.h"

#include "arithmetic/GreatCircle.h"
#include "arithmetic/LocatorGrid.h"
#include "common/Text.h"
#include "common/Texts.h"

#include <algorithm>
#include <cmath>

namespace pelvorn::map {
namespace {

constexpr double HalfCircumference = Circumference / 2;
constexpr Colour OutsideColour{0xee, 0xeb, 0xe3};
constexpr Colour SeaColour{0xa6, 0xc8, 0xe8};
constexpr Colour LandColour{0xd4, 0xe3, 0xa8};
constexpr Colour GridColour{0x3a, 0x4a, 0x6a, 0x60};
constexpr Colour RingColour{0x50, 0x50, 0x50, 0xa0};
constexpr Colour InkColour{0x20, 0x20, 0x20};
constexpr Colour PathColour{0xc0, 0x10, 0x20};
constexpr Colour OwnColour{0xd0, 0x20, 0x20};
constexpr Colour DxColour{0x10, 0x40, 0xc0};
constexpr Colour WhiteColour{0xff, 0xff, 0xff};

// The picture: the disc below a caption line, room round it for the ticks.
struct Layout {
  double size, unit;  // unit: a thousandth of the side
  Point centre;
  double radius;
  double box[4];
  explicit Layout(int side)
      : size(side), unit(side / 1000.0), centre{Quantised(side * 0.5), Quantised(side * 0.52)},
        radius(Quantised(side * 0.42)), box{0, 0, size, size} {}
};

const Font& LoadFont() {
  static const Font font = [] {
    const std::span<const unsigned char> data = GlyphData();
    Font out;
    std::size_t at = 0;
    const auto varint = [&] {
      std::uint64_t value = 0;
      for (int shift = 0; at < data.size(); shift += 7) {
        const unsigned char byte = data[at++];
        value |= std::uint64_t{byte & 0x7Fu} << shift;
        if (!(byte & 0x80)) break;
      }
      return value;
    };
    const auto zigzag = [&] {
      const std::uint64_t v = varint();
      return (v & 1) ? -static_cast<double>(v >> 1) - 1 : static_cast<double>(v >> 1);
    };
    out.unitsPerEm = static_cast<int>(varint());
    out.glyphs.resize(varint());
    for (Glyph& glyph : out.glyphs) {
      glyph.code = static_cast<char32_t>(varint());
      glyph.advance = static_cast<int>(varint());
      glyph.contours.resize(varint());
      for (auto& contour : glyph.contours) {
        contour.resize(varint());
        double x = 0, y = 0;
        for (Point& p : contour) p = {x += zigzag(), y += zigzag()};
      }
    }
    std::sort(out.glyphs.begin(), out.glyphs.end(), [](const Glyph& a, const Glyph& b) { return a.code < b.code; });
    return out;
  }();
  return font;
}

enum class Align { Left, Centre, Right };

Shape NewShape(Shape::Kind kind, Colour colour, std::string attributes = {}) {
  Shape shape;
  shape.kind = kind;
  shape.colour = colour;
  shape.attributes = std::move(attributes);
  return shape;
}

Shape FillShape(std::vector<Contour> contours, Colour colour, bool evenOdd, std::string attributes = {}) {
  Shape shape = NewShape(Shape::Kind::Fill, colour, std::move(attributes));
  shape.contours = std::move(contours);
  shape.evenOdd = evenOdd;
  return shape;
}

double TextWidth(std::string_view utf8, double pixels) {
  const Font& font = EmbeddedFont();
  double units = 0;
  for (const char16_t c : FromUtf8(utf8)) units += font.Find(c).advance;
  return units * pixels / font.unitsPerEm;
}

Shape TextShape(std::string_view utf8, Point at, double pixels, Align align, Colour colour, std::string attributes = {}) {
  const Font& font = EmbeddedFont();
  Shape shape = NewShape(Shape::Kind::Text, colour, std::move(attributes));
  // A size in 1/8 px, so the scale is exact in decimal.
  shape.scale = std::round(pixels * 8) / 8 / font.unitsPerEm;
  double width = 0;
  std::vector<const Glyph*> glyphs;
  for (const char16_t c : FromUtf8(utf8)) {
    glyphs.push_back(&font.Find(c));
    width += glyphs.back()->advance * shape.scale;
  }
  double x = at.x - (align == Align::Left ? 0 : align == Align::Centre ? width / 2 : width);
  for (const Glyph* glyph : glyphs) {
    if (!glyph->contours.empty()) shape.glyphs.push_back({glyph, Quantised(x), Quantised(at.y)});
    x += glyph->advance * shape.scale;
  }
  return shape;
}

Shape StrokeShape(std::vector<Contour> contours, double width, Colour colour, std::string attributes = {}) {
  Shape shape = NewShape(Shape::Kind::Stroke, colour, std::move(attributes));
  shape.contours = std::move(contours);
  shape.width = Quantised(width);
  return shape;
}

// A line of constant slope in longitude and latitude, projected and cut.
void AddLine(const Projection& projection, const Layout& layout, Degrees from, Degrees to, std::vector<Contour>& out) {
  const int pieces = static_cast<int>(std::ceil(std::max(std::abs(to.latitude - from.latitude),
                                                         std::abs(to.longitude - from.longitude)) / 10));
  Contour line{projection.Project(from)};
  for (int i = 0; i < pieces; ++i) {
    const auto at = [&](int k) {
      return Degrees{from.latitude + (to.latitude - from.latitude) * k / pieces,
                     from.longitude + (to.longitude - from.longitude) * k / pieces};
    };
    projection.AppendLine(at(i), at(i + 1), line);
  }
  for (Contour& piece : ClipLineToBox(line, layout.box)) {
    Quantise(piece);
    out.push_back(std::move(piece));
  }
}

// The round step of the range rings: every 5000 km on the whole earth,
// else 1, 2, 2.5 or 5 times a power of ten giving at most six rings.
double RingStep(double mapKm, bool world) {
  if (world) return 5000;
  for (double power = 1;; power *= 10) {
    for (const double factor : {1.0, 2.0, 2.5, 5.0}) {
      if (std::ceil(mapKm / (factor * power)) - 1 <= 6) return factor * power;
    }
  }
}

std::string Cell(int level, int lonIndex, int latIndex) {
  const GridLevel& grid = LocatorGrid[level];
  return {static_cast<char>(grid.first + lonIndex), static_cast<char>(grid.first + latIndex)};
}

// The Maidenhead grid: fields on the whole earth, squares too on a regional
// map where they are large enough to read.
void AddGrid(Scene& scene, const Projection& projection, const Layout& layout, double mapKm, bool world) {
  const GridLevel& field = LocatorGrid[0];
  const GridLevel& square = LocatorGrid[1];
  const double squarePixels = 111.19 * square.latitudeDegrees * projection.pixelsPerKm();
  const bool squares = !world && squarePixels >= 12 * layout.unit;
  const GridLevel& cell = squares ? square : field;
  const double west = GridOrigin(Axis::Longitude), south = GridOrigin(Axis::Latitude);
  // The span of latitudes and longitudes the disc shows.
  const double reach = mapKm / HalfCircumference * 180 * 1.05;
  const Degrees c = projection.centre();
  double lat0 = south, lat1 = -south, lon0 = west, lon1 = -west;
  if (!world) {
    lat0 = std::max(south, std::floor((c.latitude - reach) / cell.latitudeDegrees) * cell.latitudeDegrees);
    lat1 = std::min(-south, std::ceil((c.latitude + reach) / cell.latitudeDegrees) * cell.latitudeDegrees);
    const double cosine = std::cos(std::max(std::abs(lat0), std::abs(lat1)) * PiPrime / 180);
    const double sine = std::sin(std::min(reach, 90.0) * PiPrime / 180);
    if (lat1 < -south && lat0 > south && sine < cosine) {
      const double span = std::asin(sine / cosine) * 180 / PiPrime;
      lon0 = std::floor((c.longitude - span) / cell.longitudeDegrees) * cell.longitudeDegrees;
      lon1 = std::ceil((c.longitude + span) / cell.longitudeDegrees) * cell.longitudeDegrees;
    }
  }
  std::vector<Contour> fine, coarse;
  for (double lon = lon0; lon <= lon1; lon += cell.longitudeDegrees) {
    const bool fieldLine = std::fmod(lon - west, field.longitudeDegrees) == 0;
    AddLine(projection, layout, {lat0, lon}, {lat1, lon}, fieldLine ? coarse : fine);
  }
  for (double lat = lat0; lat <= lat1; lat += cell.latitudeDegrees) {
    if (std::abs(lat) == -south) continue;
    const bool fieldLine = std::fmod(lat - south, field.latitudeDegrees) == 0;
    AddLine(projection, layout, {lat, lon0}, {lat, lon1}, fieldLine ? coarse : fine);
  }
  scene.shapes.push_back(StrokeShape(std::move(fine), 0.8 * layout.unit, GridColour, R"(class="grid")"));
  scene.shapes.push_back(StrokeShape(std::move(coarse), (squares ? 1.8 : 1.0) * layout.unit, GridColour, R"(class="grid")"));

  const double pixels = 13 * layout.unit;
  const double limit = std::min(mapKm, HalfCircumference * 0.92);
  // Near a pole the cells crowd: a label that would touch one already placed is left out.
  std::vector<Point> placed;
  for (double lat = lat0; lat < lat1; lat += cell.latitudeDegrees) {
    for (double lon = lon0; lon < lon1; lon += cell.longitudeDegrees) {
      const Degrees middle{lat + cell.latitudeDegrees / 2, lon + cell.longitudeDegrees / 2};
      if (projection.PolarOf(middle).km > limit) continue;
      const double east = std::fmod(std::fmod(lon - west, 360) + 360, 360);
      const int fieldLon = static_cast<int>(east / field.longitudeDegrees);
      const int fieldLat = static_cast<int>((lat - south) / field.latitudeDegrees);
      std::string name = Cell(0, fieldLon, fieldLat);
      if (squares) {
        name += Cell(1, static_cast<int>(std::fmod(east, field.longitudeDegrees) / square.longitudeDegrees),
                     static_cast<int>(std::fmod(lat - south, field.latitudeDegrees) / square.latitudeDegrees));
      }
      const Point at = projection.Project(middle);
      const double width = TextWidth(name, pixels);
      if (std::any_of(placed.begin(), placed.end(), [&](const Point& p) {
            return std::abs(p.x - at.x) < width * 1.2 && std::abs(p.y - at.y) < pixels * 1.3;
          })) {
        continue;
      }
      placed.push_back(at);
      scene.shapes.push_back(TextShape(name, {at.x, at.y + 0.35 * pixels}, pixels, Align::Centre, GridColour));
    }
  }
}

Shape CircleShape(Point centre, double radius, Colour fill, double width, Colour outline, std::string attributes) {
  Shape shape = NewShape(Shape::Kind::Circle, fill, std::move(attributes));
  shape.width = Quantised(width);
  shape.centre = {Quantised(centre.x), Quantised(centre.y)};
  shape.radius = Quantised(radius);
  shape.outline = outline;
  return shape;
}

std::string Kilometres(double km) { return Fill(text::MapRingLabel, {std::to_string(std::lround(km))}); }

// The caption, and below it the notes, smaller.
void AddCaption(Scene& scene, const std::string& caption, const std::vector<std::string>& notes, double u) {
  for (std::size_t i = 0; i < notes.size(); ++i) {
    scene.shapes.push_back(TextShape(notes[i], {12 * u, (62 + 20 * static_cast<double>(i)) * u}, 15 * u, Align::Left,
                                     InkColour, R"(class="note")"));
  }
  scene.shapes.push_back(TextShape(caption, {12 * u, 36 * u}, 22 * u, Align::Left, InkColour, R"(id="caption")"));
}

// The bands of a log, top right, in columns of at most eleven.
void AddLegend(Scene& scene, const std::vector<LegendEntry>& legend, const Layout& layout) {
  const double u = layout.unit;
  const std::size_t columns = (legend.size() + 10) / 11;
  const std::size_t rows = columns ? (legend.size() + columns - 1) / columns : 0;
  for (std::size_t i = 0; i < legend.size(); ++i) {
    const double x = layout.size - (12 + 85 * static_cast<double>(columns - i / rows)) * u;
    const double y = (26 + 20 * static_cast<double>(i % rows)) * u;
    const LegendEntry& entry = legend[i];
    scene.shapes.push_back(CircleShape({x + 6 * u, y - 5 * u}, 5 * u, MarkerColour(entry.colour), u, InkColour,
                                       Fill(R"(class="legend" data-band="%1" data-count="%2")",
                                            {entry.label, std::to_string(entry.count)})));
    scene.shapes.push_back(TextShape(entry.label, {x + 16 * u, y}, 14 * u, Align::Left, InkColour));
  }
}

}  // namespace

Colour MarkerColour(int colour) {
  // Twelve neighbours of the short-wave bands apart at a glance; the rest repeat.
  static constexpr Colour Palette[] = {
      {0xe6, 0x19, 0x4b}, {0x3c, 0xb4, 0x4b}, {0x43, 0x63, 0xd8}, {0xf5, 0x82, 0x31},
      {0x91, 0x1e, 0xb4}, {0x42, 0xd4, 0xf4}, {0xf0, 0x32, 0xe6}, {0xbf, 0xef, 0x45},
      {0x46, 0x99, 0x90}, {0x9a, 0x63, 0x24}, {0x80, 0x00, 0x00}, {0x00, 0x00, 0x75},
      {0x80, 0x80, 0x00}, {0xff, 0xe1, 0x19}, {0xdc, 0xbe, 0xff}, {0xaa, 0xff, 0xc3},
  };
  constexpr int Count = sizeof Palette / sizeof Palette[0];
  return colour < 0 ? Colour{0x80, 0x80, 0x80} : Palette[colour % Count];
}

Shape MarkerShape(Point at, int size, int colour, std::string attributes) {
  const double u = size / 1000.0;
  return CircleShape(at, 4 * u, MarkerColour(colour), u, InkColour, std::move(attributes));
}

Projection MapProjection(Degrees centre, int size, double radiusKm) {
  const Layout layout(size);
  const bool world = !(radiusKm > 0 && radiusKm < HalfCircumference);
  return Projection(centre, world ? HalfCircumference : radiusKm, layout.centre, layout.radius);
}

const Glyph& Font::Find(char32_t code) const {
  const auto found = std::lower_bound(glyphs.begin(), glyphs.end(), code, [](const Glyph& g, char32_t c) { return g.code < c; });
  return found != glyphs.end() && found->code == code ? *found : Find(U'?');
}

const Font& EmbeddedFont() { return LoadFont(); }

Scene BuildScene(const MapRequest& request) {
  Scene scene;
  scene.size = request.size;
  const Layout layout(request.size);
  const bool world = !(request.radiusKm > 0 && request.radiusKm < HalfCircumference);
  const double mapKm = world ? HalfCircumference : request.radiusKm;
  const Projection projection = MapProjection({request.own.latitude, request.own.longitude}, request.size, request.radiusKm);
  const double u = layout.unit;
  const Contour square{{0, 0}, {layout.size, 0}, {layout.size, layout.size}, {0, layout.size}};

  scene.shapes.push_back(FillShape({square}, OutsideColour, false));
  scene.shapes.push_back(CircleShape(layout.centre, layout.radius, SeaColour, 0, SeaColour, R"(id="edge")"));
  // The finer land where coasts must stay right at a regional radius.
  const auto land = [](bool fine) -> const std::vector<LandRing>& {
    if (fine) {
      static const std::vector<LandRing> rings = DecodeRings(Land50m());
      return rings;
    }
    static const std::vector<LandRing> rings = DecodeRings(Land110m());
    return rings;
  };
  scene.shapes.push_back(FillShape(LandContours(land(mapKm <= 5000), projection, layout.box), LandColour, true,
                                   R"(id="land")"));
  AddGrid(scene, projection, layout, mapKm, world);

  const double step = RingStep(mapKm, world);
  for (double km = step; km < mapKm * 0.99; km += step) {
    const double radius = km * projection.pixelsPerKm();
    scene.shapes.push_back(CircleShape(layout.centre, radius, {0, 0, 0, 0}, 1.2 * u, RingColour,
                                       Fill(R"(class="ring" data-km="%1")", {std::to_string(std::lround(km))})));
    scene.shapes.push_back(TextShape(Kilometres(km), {layout.centre.x + 4 * u, layout.centre.y - radius - 4 * u},
                                     14 * u, Align::Left, RingColour));
  }

  // Outside the disc: what reaches beyond it is covered.
  Contour disc = Circle(layout.centre, layout.radius);
  Quantise(disc);
  scene.shapes.push_back(FillShape({square, disc}, OutsideColour, true));
  scene.shapes.push_back(CircleShape(layout.centre, layout.radius, {0, 0, 0, 0}, 1.5 * u, InkColour, {}));

  std::vector<Contour> ticks;
  for (int degrees = 0; degrees < 360; degrees += 10) {
    const double km = mapKm, length = (degrees % 30 ? 8 : 14) * u / projection.pixelsPerKm();
    ticks.push_back({projection.AtPolar(km, degrees), projection.AtPolar(km + length, degrees)});
    Quantise(ticks.back());
    if (degrees % 30 == 0) {
      // Clear of the tick whatever the label's width and height.
      const std::string label = std::to_string(degrees) + "°";
      const double angle = degrees * PiPrime / 180, pixels = 17 * u;
      const double extent = std::abs(std::sin(angle)) * TextWidth(label, pixels) / 2 + std::abs(std::cos(angle)) * 0.4 * pixels;
      const Point at = projection.AtPolar(km + (20 * u + extent) / projection.pixelsPerKm(), degrees);
      scene.shapes.push_back(TextShape(label, {at.x, at.y + 0.36 * pixels}, pixels, Align::Centre, InkColour));
    }
  }
  scene.shapes.push_back(StrokeShape(std::move(ticks), 1.5 * u, InkColour, R"(class="ticks")"));

  const Point own = projection.Project({request.own.latitude, request.own.longitude});
  std::vector<Shape> markers{CircleShape(own, 6 * u, OwnColour, 2 * u, WhiteColour, R"(id="own")")};
  std::vector<Shape> labels{TextShape(request.own.label, {own.x + 10 * u, own.y - 8 * u}, 18 * u, Align::Left, InkColour)};
  if (request.dx) {
    const Projection::Polar polar = projection.PolarOf({request.dx->latitude, request.dx->longitude});
    const double rimKm = std::min(mapKm, HalfCircumference);
    const bool inside = polar.km <= mapKm;
    const Point dx = projection.AtPolar(polar.km, polar.direction);
    const Point end = inside ? dx : projection.AtPolar(mapKm, polar.direction);
    std::vector<Contour> longPath{{projection.AtPolar(0, 0), projection.AtPolar(rimKm, polar.direction + 180)}};
    if (inside) longPath.push_back({projection.AtPolar(rimKm, polar.direction), dx});
    for (Contour& part : longPath) Quantise(part);
    Contour shortPath{projection.AtPolar(0, 0), end};
    Quantise(shortPath);
    Shape dashed = StrokeShape(std::move(longPath), 2.5 * u, PathColour, R"(id="long-path")");
    dashed.dash = Quantised(12 * u);
    scene.shapes.push_back(std::move(dashed));
    scene.shapes.push_back(StrokeShape({shortPath}, 3 * u, PathColour, R"(id="short-path")"));
    if (inside) {
      markers.push_back(CircleShape(dx, 6 * u, DxColour, 2 * u, WhiteColour, R"(id="dx")"));
      const bool left = dx.x > layout.size * 0.75;
      labels.push_back(TextShape(request.dx->label, {dx.x + (left ? -10 : 10) * u, dx.y - 8 * u}, 18 * u,
                                 left ? Align::Right : Align::Left, InkColour));
    }
  }
  if (request.markers) scene.overlayAt = scene.shapes.size();
  for (Shape& shape : markers) scene.shapes.push_back(std::move(shape));
  for (Shape& shape : labels) scene.shapes.push_back(std::move(shape));
  AddLegend(scene, request.legend, layout);
  AddCaption(scene, request.caption, request.notes, u);
  return scene;
}

Scene BuildChartScene(const ChartRequest& request) {
  Scene scene;
  scene.size = request.size;
  const double u = request.size / 1000.0;
  const Point centre{Quantised(request.size * 0.5), Quantised(request.size * 0.54)};
  const double radius = Quantised(request.size * 0.34);
  // Distances in pixels: a polar plot round the chart's centre.
  const Projection polar({0, 0}, radius, centre, radius);
  const Contour square{{0, 0}, {double(request.size), 0}, {double(request.size), double(request.size)}, {0, double(request.size)}};
  scene.shapes.push_back(FillShape({square}, OutsideColour, false));
  scene.shapes.push_back(CircleShape(centre, radius, WhiteColour, 1.5 * u, InkColour, R"(id="edge")"));

  // Rings at 1, 2 or 5 times a power of ten QSOs, at most five.
  double most = 1;
  for (const ChartSector& sector : request.sectors) most = std::max(most, static_cast<double>(sector.count));
  double step = 0;
  for (double power = 1; step == 0; power *= 10) {
    for (const double factor : {1.0, 2.0, 5.0}) {
      if (step == 0 && std::ceil(most / (factor * power)) <= 5) step = factor * power;
    }
  }
  const double top = std::ceil(most / step) * step;
  std::vector<Shape> ringLabels;
  std::vector<Contour> spokes;
  for (int degrees = 0; degrees < 360; degrees += 30) {
    spokes.push_back({centre, polar.AtPolar(radius, degrees)});
    Quantise(spokes.back());
    const Point at = polar.AtPolar(radius + 14 * u, degrees);
    scene.shapes.push_back(TextShape(std::to_string(degrees) + "°", {at.x, at.y + 5 * u}, 13 * u, Align::Centre, RingColour));
  }
  scene.shapes.push_back(StrokeShape(std::move(spokes), u, RingColour, R"(class="ticks")"));
  for (double count = step; count <= top; count += step) {
    const double r = radius * count / top;
    const std::string label = std::to_string(std::llround(count));
    scene.shapes.push_back(CircleShape(centre, r, {0, 0, 0, 0}, u, RingColour, Fill(R"(class="ring" data-count="%1")", {label})));
    ringLabels.push_back(TextShape(label, {centre.x + 3 * u, centre.y - r + 12 * u}, 12 * u, Align::Left, InkColour));
  }

  std::vector<Contour> outlines;
  for (int k = 0; k < ChartSectors; ++k) {
    const ChartSector& sector = request.sectors[static_cast<std::size_t>(k)];
    const double r = radius * static_cast<double>(sector.count) / top;
    std::vector<Contour> wedge;
    if (sector.count > 0) {
      wedge.push_back({centre});
      for (int degrees = 0; degrees <= 10; ++degrees) wedge.back().push_back(polar.AtPolar(r, 10 * k + degrees));
      Quantise(wedge.back());
      outlines.push_back(wedge.back());
    }
    const std::string km = sector.count > 0 ? std::to_string(std::lround(sector.longestKm)) : std::string("0");
    scene.shapes.push_back(FillShape(std::move(wedge), {0x43, 0x63, 0xd8, 0xc0}, false,
                                     Fill(R"(class="sector" data-sector="%1" data-count="%2" data-km="%3")",
                                          {std::to_string(10 * k), std::to_string(sector.count), km})));
    if (sector.count == 0) continue;
    // Call and km of the longest QSO outside the disc, every other sector further out.
    const double direction = 10 * k + 5, angle = direction * PiPrime / 180;
    const Point at = polar.AtPolar(radius + (k % 2 ? 64 : 34) * u, direction);
    const Align align = std::sin(angle) > 0.25 ? Align::Left : std::sin(angle) < -0.25 ? Align::Right : Align::Centre;
    const double topOfBlock = at.y - 24 * u * (std::cos(angle) + 1) / 2;
    scene.shapes.push_back(TextShape(sector.longestCall, {at.x, topOfBlock + 10 * u}, 11 * u, align, InkColour));
    scene.shapes.push_back(TextShape(Kilometres(sector.longestKm), {at.x, topOfBlock + 22 * u}, 11 * u, align, RingColour));
  }
  Shape outline = StrokeShape(std::move(outlines), u, InkColour, {});
  outline.closed = true;
  scene.shapes.push_back(std::move(outline));
  for (Shape& label : ringLabels) scene.shapes.push_back(std::move(label));
  AddCaption(scene, request.caption, request.notes, u);
  return scene;
}

}  // namespace pelvorn::map
