#pragma once

#include <cstdint>
#include <span>
#include <vector>

// The map's geometry, in stages: rings of longitude and latitude, resampled
// and projected onto the azimuthal equidistant disc, cut to the picture and
// quantised to the grid every output shares.

namespace pelvorn::map {

struct Point {
  double x = 0;
  double y = 0;
};
using Contour = std::vector<Point>;

// A position on the sphere in degrees; longitudes may run past +-180.
struct Degrees {
  double latitude = 0;
  double longitude = 0;
};

// Every coordinate of a picture is a multiple of 1/Quantum pixel: the SVG's
// numbers are exact, and the rasteriser sees the same values on every system.
inline constexpr int Quantum = 100;
double Quantised(double pixels);

// The azimuthal equidistant projection centred on `centre`, north up: a
// point at `km` from the centre in direction `degrees` lies at
// km * pixelsPerKm from the disc's centre, `degrees` clockwise from up.
class Projection {
public:
  // `mapKm` is the radius the disc of `discPixels` shows.
  Projection(Degrees centre, double mapKm, Point discCentre, double discPixels);

  struct Polar {
    double km;
    double direction;  // degrees clockwise from north
  };
  // Distance and direction from the centre, by the program's great circle.
  Polar PolarOf(Degrees point) const;
  Point AtPolar(double km, double direction) const;
  Point Project(Degrees point) const { const Polar p = PolarOf(point); return AtPolar(p.km, p.direction); }

  Degrees centre() const { return centre_; }
  Point discCentre() const { return discCentre_; }
  double pixelsPerKm() const { return pixelsPerKm_; }
  // The rim's radius in pixels: where the antipode lies.
  double rimPixels() const;

  // Appends to `out` the projection of the line from `from` to `to`,
  // straight in longitude and latitude, without `from`: adaptively
  // subdivided until it bends by less than a fraction of a pixel, and led
  // along the rim where it passes the antipode.
  void AppendLine(Degrees from, Degrees to, Contour& out) const;

  // A point with its projection, for lines through many points.
  struct Sample {
    Degrees at;
    Polar polar;
    Point point;
  };
  Sample SampleOf(Degrees at) const;
  // AppendLine between two points already projected.
  void AppendLine(const Sample& from, const Sample& to, Contour& out) const { Subdivide(from, to, 0, out); }

private:
  void Subdivide(const Sample& a, const Sample& b, int depth, Contour& out) const;
  void AppendRimArc(double fromDirection, double viaDirection, double toDirection, Contour& out) const;
  bool NearAntipode(const Polar& polar) const;

  Degrees centre_;
  Point discCentre_;
  double pixelsPerKm_;
};

// The land of Natural Earth, decoded from the program's compact form.
struct LandRing {
  std::vector<Degrees> points;
};
std::vector<LandRing> DecodeRings(std::span<const unsigned char> data);

// Whether `point` is land: inside an odd number of the rings, in the plane
// of longitude and latitude (each ring's own run of longitudes).
bool IsLand(const std::vector<LandRing>& rings, Degrees point);

// The land as contours to fill with the even-odd rule: each ring
// projected, cut to `clip` (x0, y0, x1, y1), and, when the antipode is land,
// the rim (or the clip box, when the rim lies beyond it) once more.
std::vector<Contour> LandContours(const std::vector<LandRing>& rings, const Projection& projection,
                                  const double (&clip)[4]);

// `ring` cut to the box, as a closed contour (Sutherland-Hodgman: right for
// filling, with parts of the box's edges where the ring leaves it).
Contour ClipToBox(const Contour& ring, const double (&box)[4]);

// `line` cut to the box, as the pieces of it inside.
std::vector<Contour> ClipLineToBox(const Contour& line, const double (&box)[4]);

// A circle as a closed contour whose sides stray less than 0.05 px from it.
Contour Circle(Point centre, double radius);

void Quantise(Contour& contour);

}  // namespace pelvorn::map
