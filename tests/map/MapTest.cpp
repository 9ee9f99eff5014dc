// The map's pictures by sampled pixels at places known from an atlas (not
// from the program's data), and its outlines by their segments.
#include "map/MapGeometry.h"
#include "map/MapRenderer.h"

#include "arithmetic/GreatCircle.h"
#include "map/MapData.h"

#include <gtest/gtest.h>

#include <cmath>

namespace pelvorn::map {
namespace {

struct Place {
  const char* name;
  double latitude, longitude;
  bool land;
  bool narrow = false;  // a few pixels wide on a world map: only on regional ones
};

// Well inland or far out at sea.
constexpr Place Places[] = {
    {"Madrid", 40.42, -3.70, true},          {"Paris", 48.86, 2.35, true},
    {"Tamanrasset", 22.79, 5.53, true},      {"Moscow", 55.75, 37.62, true},
    {"Ulaanbaatar", 47.92, 106.92, true},    {"Xi'an", 34.34, 108.94, true},
    {"Kansas City", 39.10, -94.58, true},    {"Brasilia", -15.79, -47.88, true},
    {"Alice Springs", -23.70, 133.88, true}, {"Kinshasa", -4.32, 15.31, true},
    {"Yakutsk", 62.03, 129.73, true},        {"Amundsen Plateau", -86, 50, true},
    {"Vostok", -78.46, 106.84, true},        {"Greenland Summit", 72.58, -38.46, true},
    {"Kaingaroa", -38.5, 176.5, true, true}, {"Canterbury Plains", -43.6, 171.9, true, true},
    {"North Atlantic", 30, -40, false},      {"South Pacific", -37, -178, false},      {"Bay of Biscay west", 45, -12, false},
    {"Equatorial Pacific", 0, -140, false},  {"Southern Indian Ocean", -40, 90, false},
    {"Southern Ocean", -60, -120, false},    {"North-west Pacific", 40, 160, false},
    {"South Atlantic", -20, -5, false},      {"Arctic Ocean", 88, 0, false},
    {"Tasman Sea", -40, 160, false},         {"East China Sea", 29, 125, false},
};

struct Centre {
  const char* name;
  double latitude, longitude;
  double radiusKm;
};

// Berlin; New Zealand and Buenos Aires, whose antipodes lie on land (Spain,
// China); Honolulu (antipode in Botswana); Tokyo; west of New Zealand, whose
// antipode lies on the coast of Portugal by Peniche, so the coast runs
// round the rim; and regional maps.
constexpr Centre Centres[] = {
    {"JO62MM", 52.520833, 13.041667, 0},  {"RE78MM", -41.479167, 175.041667, 0}, {"Buenos Aires", -34.6, -58.4, 0},
    {"Honolulu", 21.31, -157.86, 0},      {"Tokyo", 35.68, 139.77, 0},           {"Tasman Sea", -39.573, 170.7515, 0},           {"JO62MM 3000 km", 52.520833, 13.041667, 3000},
    {"Auckland 2500 km", -36.85, 174.76, 2500},
};

constexpr int Size = 600;

// Whether the pixels round `at` are mostly land's: greener than blue (the
// sea is bluer than green, also under the grid's lines and letters).
bool LandAround(const Pixels& pixels, Point at) {
  int land = 0, all = 0;
  for (int dy = -2; dy <= 2; ++dy) {
    for (int dx = -2; dx <= 2; ++dx) {
      const std::uint8_t* p = &pixels.rgba[((std::lround(at.y) + dy) * pixels.width + std::lround(at.x) + dx) * 4];
      land += p[1] > p[2];
      ++all;
    }
  }
  return 2 * land > all;
}

TEST(MapPixels, KnownPlacesAreLandOrSeaFromEveryCentre) {
  for (const Centre& centre : Centres) {
    MapRequest request{{centre.latitude, centre.longitude, centre.name}, std::nullopt, "", centre.radiusKm, Size};
    const Pixels pixels = RenderPixels(request);
    ASSERT_EQ(pixels.rgba.size(), std::size_t{Size} * Size * 4);
    const double mapKm = centre.radiusKm > 0 ? centre.radiusKm : Circumference / 2;
    const Projection projection({centre.latitude, centre.longitude}, mapKm, {Size * 0.5, Size * 0.52}, Size * 0.42);
    int checked = 0;
    for (const Place& place : Places) {
      // Far enough inside the rim that a pixel there is the place's own.
      if (projection.PolarOf({place.latitude, place.longitude}).km > mapKm * 0.97) continue;
      if (place.narrow && centre.radiusKm == 0) continue;
      ++checked;
      EXPECT_EQ(LandAround(pixels, projection.Project({place.latitude, place.longitude})), place.land)
          << place.name << " from " << centre.name;
    }
    EXPECT_GE(checked, centre.radiusKm > 0 ? 4 : 20) << centre.name;
  }
}

TEST(MapGeometry, NoOutlineJumpsAcrossTheDisc) {
  const std::vector<LandRing> rings = DecodeRings(Land110m());
  const double box[4] = {0, 0, 1000, 1000};
  for (const Centre& centre : Centres) {
    if (centre.radiusKm > 0) continue;
    const Projection projection({centre.latitude, centre.longitude}, Circumference / 2, {500, 520}, 420);
    for (const Contour& contour : LandContours(rings, projection, box)) {
      for (std::size_t i = 0; i < contour.size(); ++i) {
        const Point& a = contour[i];
        const Point& b = contour[(i + 1) % contour.size()];
        ASSERT_LT(std::hypot(b.x - a.x, b.y - a.y), 20) << centre.name << " at " << a.x << ' ' << a.y;
      }
    }
  }
}

TEST(MapPng, SameRequestSameBytes) {
  const MapRequest request{{-34.6, -58.4, "GF05"}, Station{52.5, 13.0, "JO62"}, "GF05 – JO62", 0, 300};
  const std::string png = EncodePng(RenderPixels(request));
  ASSERT_GT(png.size(), 1000u);
  EXPECT_EQ(png.substr(1, 3), "PNG");
  EXPECT_EQ(png, EncodePng(RenderPixels(request)));
}

// The azimuth chart's rings: one to five at 1, 2 or 5 times a power of ten,
// the outermost reaching the largest sector, however many QSOs it has.
TEST(MapChart, RingsForAnyCount) {
  for (const unsigned long long most : {1ull, 6ull, 11ull, 5001ull, 25570ull, 6000000ull}) {
    ChartRequest request;
    request.sectors[7].count = most;
    std::vector<double> rings;
    for (const Shape& shape : BuildChartScene(request).shapes) {
      if (shape.attributes.starts_with(R"(class="ring")")) rings.push_back(std::stod(shape.attributes.substr(25)));
    }
    ASSERT_FALSE(rings.empty()) << most;
    EXPECT_LE(rings.size(), 5u) << most;
    EXPECT_GE(rings.back(), static_cast<double>(most)) << most;
  }
}

}  // namespace
}  // namespace pelvorn::map
