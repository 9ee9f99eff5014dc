#include "MapGeometry.h"

#include "arithmetic/GreatCircle.h"
#include "arithmetic/NormalisedDegrees.h"

#include <algorithm>
#include <cmath>

namespace pelvorn::map {
namespace {

constexpr double HalfCircumference = Circumference / 2;
// A line is subdivided while its middle strays further from its chord
// (pixels), or while its chord is longer.
constexpr double Tolerance = 0.2;
constexpr double LongestChord = 16;
constexpr int DeepestSubdivision = 18;

double Radians(double degrees) { return degrees * PiPrime / 180; }

std::uint64_t ReadVarint(std::span<const unsigned char> data, std::size_t& at) {
  std::uint64_t value = 0;
  for (int shift = 0; at < data.size() && shift < 64; shift += 7) {
    const unsigned char byte = data[at++];
    value |= std::uint64_t{byte & 0x7Fu} << shift;
    if (!(byte & 0x80)) break;
  }
  return value;
}

std::int64_t ReadSigned(std::span<const unsigned char> data, std::size_t& at) {
  const std::uint64_t zigzag = ReadVarint(data, at);
  return (zigzag & 1) ? -static_cast<std::int64_t>(zigzag >> 1) - 1 : static_cast<std::int64_t>(zigzag >> 1);
}

// The part of `line` on the inner side of the box's edge `side` (0: x >=
// box[0], 1: y >= box[1], 2: x <= box[2], 3: y <= box[3]).
Contour ClipSide(const Contour& ring, const double (&box)[4], int side) {
  const bool alongX = side % 2 == 0;
  const double limit = box[side];
  const auto inside = [&](const Point& p) { return side < 2 ? (alongX ? p.x : p.y) >= limit : (alongX ? p.x : p.y) <= limit; };
  const auto cut = [&](const Point& a, const Point& b) {
    const double t = alongX ? (limit - a.x) / (b.x - a.x) : (limit - a.y) / (b.y - a.y);
    return alongX ? Point{limit, a.y + t * (b.y - a.y)} : Point{a.x + t * (b.x - a.x), limit};
  };
  Contour out;
  for (std::size_t i = 0; i < ring.size(); ++i) {
    const Point& a = ring[i];
    const Point& b = ring[(i + 1) % ring.size()];
    if (inside(a) != inside(b)) out.push_back(cut(a, b));
    if (inside(b)) out.push_back(b);
  }
  return out;
}

}  // namespace

double Quantised(double pixels) { return std::nearbyint(pixels * Quantum) / Quantum; }

void Quantise(Contour& contour) {
  for (Point& p : contour) p = {Quantised(p.x), Quantised(p.y)};
}

Projection::Projection(Degrees centre, double mapKm, Point discCentre, double discPixels)
    : centre_(centre), discCentre_(discCentre), pixelsPerKm_(discPixels / mapKm) {}

Projection::Polar Projection::PolarOf(Degrees point) const {
  const DistanceAndDirection result =
      UncheckedDistanceAndDirection(centre_.latitude, point.latitude, centre_.longitude, point.longitude);
  return {result.km, result.direction};
}

Point Projection::AtPolar(double km, double direction) const {
  const double radius = km * pixelsPerKm_;
  const double angle = Radians(direction);
  return {discCentre_.x + radius * std::sin(angle), discCentre_.y - radius * std::cos(angle)};
}

double Projection::rimPixels() const { return HalfCircumference * pixelsPerKm_; }

bool Projection::NearAntipode(const Polar& polar) const {
  return polar.km > HalfCircumference - 0.5 / pixelsPerKm_;
}

Projection::Sample Projection::SampleOf(Degrees at) const {
  const Polar polar = PolarOf(at);
  return {at, polar, AtPolar(polar.km, polar.direction)};
}

void Projection::AppendLine(Degrees from, Degrees to, Contour& out) const {
  Subdivide(SampleOf(from), SampleOf(to), 0, out);
}

void Projection::Subdivide(const Sample& a, const Sample& b, int depth, Contour& out) const {
  const double dx = b.point.x - a.point.x, dy = b.point.y - a.point.y;
  const double chord = std::hypot(dx, dy);
  if (depth < DeepestSubdivision && chord > Tolerance) {
    const Sample m = SampleOf({(a.at.latitude + b.at.latitude) / 2, (a.at.longitude + b.at.longitude) / 2});
    // Near the antipode the line sweeps round the rim: follow the rim.
    if (NearAntipode(a.polar) && NearAntipode(m.polar) && NearAntipode(b.polar)) {
      AppendRimArc(a.polar.direction, m.polar.direction, b.polar.direction, out);
      out.push_back(b.point);
      return;
    }
    const double stray = std::abs((m.point.x - a.point.x) * dy - (m.point.y - a.point.y) * dx) / chord;
    if (stray > Tolerance || chord > LongestChord) {
      Subdivide(a, m, depth + 1, out);
      Subdivide(m, b, depth + 1, out);
      return;
    }
  }
  out.push_back(b.point);
}

void Projection::AppendRimArc(double fromDirection, double viaDirection, double toDirection, Contour& out) const {
  const double toward = NormalisedDegrees(toDirection - fromDirection);
  const double via = NormalisedDegrees(viaDirection - fromDirection);
  const double sweep = via <= toward ? toward : toward - 360;
  const double rim = rimPixels();
  const double step = 2 * std::sqrt(0.1 / rim) * 180 / PiPrime;
  const int steps = static_cast<int>(std::ceil(std::abs(sweep) / step));
  for (int i = 0; i <= steps; ++i) out.push_back(AtPolar(HalfCircumference, fromDirection + sweep * i / steps));
}

std::vector<LandRing> DecodeRings(std::span<const unsigned char> data) {
  std::size_t at = 0;
  std::vector<LandRing> rings(ReadVarint(data, at));
  for (LandRing& ring : rings) {
    const std::uint64_t count = ReadVarint(data, at);
    std::int64_t lon = 0, lat = 0;
    for (std::uint64_t i = 0; i < count && at < data.size(); ++i) {
      lon += ReadSigned(data, at);
      lat += ReadSigned(data, at);
      ring.points.push_back({static_cast<double>(lat) / 1000, static_cast<double>(lon) / 1000});
    }
  }
  return rings;
}

bool IsLand(const std::vector<LandRing>& rings, Degrees point) {
  bool land = false;
  for (const LandRing& ring : rings) {
    for (const double turn : {-360.0, 0.0, 360.0}) {
      const double x = point.longitude + turn, y = point.latitude;
      for (std::size_t i = 0, j = ring.points.size() - 1; i < ring.points.size(); j = i++) {
        const Degrees& a = ring.points[i];
        const Degrees& b = ring.points[j];
        if ((a.latitude > y) != (b.latitude > y) &&
            x < a.longitude + (y - a.latitude) * (b.longitude - a.longitude) / (b.latitude - a.latitude)) {
          land = !land;
        }
      }
    }
  }
  return land;
}

std::vector<Contour> LandContours(const std::vector<LandRing>& rings, const Projection& projection,
                                  const double (&clip)[4]) {
  const double margin = (clip[2] - clip[0]) / 4;
  std::vector<Contour> contours;
  std::vector<Projection::Sample> samples;
  for (const LandRing& ring : rings) {
    if (ring.points.size() < 3) continue;
    // A ring whose corners all lie well off one side cannot reach the picture.
    double x0 = INFINITY, y0 = INFINITY, x1 = -INFINITY, y1 = -INFINITY;
    samples.clear();
    for (const Degrees& p : ring.points) {
      samples.push_back(projection.SampleOf(p));
      const Point q = samples.back().point;
      x0 = std::min(x0, q.x), y0 = std::min(y0, q.y), x1 = std::max(x1, q.x), y1 = std::max(y1, q.y);
    }
    if (x1 < clip[0] - margin || y1 < clip[1] - margin || x0 > clip[2] + margin || y0 > clip[3] + margin) continue;
    Contour projected{samples.front().point};
    for (std::size_t i = 0; i < samples.size(); ++i) {
      projection.AppendLine(samples[i], samples[(i + 1) % samples.size()], projected);
    }
    projected.pop_back();
    Contour cut = ClipToBox(projected, clip);
    Quantise(cut);
    if (cut.size() >= 3) contours.push_back(std::move(cut));
  }
  const Degrees centre = projection.centre();
  if (IsLand(rings, {-centre.latitude, NormalisedDegrees(centre.longitude) - 180})) {
    const Point c = projection.discCentre();
    const double rim = projection.rimPixels();
    const bool boxInside = std::hypot(std::max(c.x - clip[0], clip[2] - c.x), std::max(c.y - clip[1], clip[3] - c.y)) < rim;
    Contour whole = boxInside ? Contour{{clip[0], clip[1]}, {clip[2], clip[1]}, {clip[2], clip[3]}, {clip[0], clip[3]}}
                              : Circle(c, rim);
    Quantise(whole);
    contours.push_back(std::move(whole));
  }
  return contours;
}

Contour ClipToBox(const Contour& ring, const double (&box)[4]) {
  Contour out = ring;
  for (int side = 0; side < 4 && !out.empty(); ++side) out = ClipSide(out, box, side);
  return out;
}

std::vector<Contour> ClipLineToBox(const Contour& line, const double (&box)[4]) {
  std::vector<Contour> pieces;
  bool open = false;
  for (std::size_t i = 1; i < line.size(); ++i) {
    Point a = line[i - 1], b = line[i];
    // Liang-Barsky.
    double t0 = 0, t1 = 1;
    const double d[2] = {b.x - a.x, b.y - a.y};
    const double p[4] = {-d[0], -d[1], d[0], d[1]};
    const double q[4] = {a.x - box[0], a.y - box[1], box[2] - a.x, box[3] - a.y};
    bool visible = true;
    for (int k = 0; k < 4 && visible; ++k) {
      if (p[k] == 0) {
        visible = q[k] >= 0;
      } else if (const double t = q[k] / p[k]; p[k] < 0) {
        t0 = std::max(t0, t);
      } else {
        t1 = std::min(t1, t);
      }
    }
    if (!visible || t0 > t1) {
      open = false;
      continue;
    }
    const Point from{a.x + t0 * d[0], a.y + t0 * d[1]}, to{a.x + t1 * d[0], a.y + t1 * d[1]};
    if (!open || t0 > 0) pieces.push_back({from});
    pieces.back().push_back(to);
    open = t1 >= 1;
  }
  return pieces;
}

Contour Circle(Point centre, double radius) {
  const int sides = std::max(16, static_cast<int>(std::ceil(PiPrime / std::sqrt(0.1 / std::max(radius, 1.0)))));
  Contour out;
  for (int i = 0; i < sides; ++i) {
    const double angle = 2 * PiPrime * i / sides;
    out.push_back({centre.x + radius * std::sin(angle), centre.y - radius * std::cos(angle)});
  }
  return out;
}

}  // namespace pelvorn::map
