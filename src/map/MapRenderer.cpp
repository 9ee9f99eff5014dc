// STAND-IN until the real renderer lands (see MapRenderer.h).
#include "MapRenderer.h"

#include <algorithm>
#include <cmath>
#include <cstdint>

namespace pelvorn::map {
namespace {

constexpr double HalfCircumferenceKm = 20004.575;
constexpr double Radians = 3.14159265358979323846 / 180;

struct Point {
  double x, y;
};

// The azimuthal equidistant position of `station` on a disc of `radius`
// pixels around (`radius`, `radius`).
Point Project(const MapRequest& request, const Station& station, double radius) {
  const double lat0 = request.own.latitude * Radians, lat = station.latitude * Radians;
  const double dLon = (station.longitude - request.own.longitude) * Radians;
  const double c = std::acos(std::clamp(std::sin(lat0) * std::sin(lat) + std::cos(lat0) * std::cos(lat) * std::cos(dLon), -1.0, 1.0));
  const double azimuth = std::atan2(std::sin(dLon) * std::cos(lat),
                                    std::cos(lat0) * std::sin(lat) - std::sin(lat0) * std::cos(lat) * std::cos(dLon));
  const double mapKm = request.radiusKm > 0 ? request.radiusKm : HalfCircumferenceKm;
  const double r = c * 6367.6539915 / mapKm * radius;
  return {radius + r * std::sin(azimuth), radius - r * std::cos(azimuth)};
}

void Fill(Pixels& pixels, Point centre, double radius, std::uint32_t rgb) {
  for (int y = 0; y < pixels.height; ++y) {
    for (int x = 0; x < pixels.width; ++x) {
      if (std::hypot(x + 0.5 - centre.x, y + 0.5 - centre.y) > radius) continue;
      std::uint8_t* p = &pixels.rgba[(static_cast<std::size_t>(y) * pixels.width + x) * 4];
      p[0] = rgb >> 16, p[1] = (rgb >> 8) & 0xff, p[2] = rgb & 0xff, p[3] = 0xff;
    }
  }
}

void Append32(std::string& out, std::uint32_t value) {
  for (int shift = 24; shift >= 0; shift -= 8) out += static_cast<char>((value >> shift) & 0xff);
}

std::uint32_t Crc(const std::string& bytes, std::size_t from) {
  std::uint32_t crc = 0xffffffff;
  for (std::size_t i = from; i < bytes.size(); ++i) {
    crc ^= static_cast<std::uint8_t>(bytes[i]);
    for (int k = 0; k < 8; ++k) crc = (crc >> 1) ^ (0xedb88320 & (0 - (crc & 1)));
  }
  return ~crc;
}

void Chunk(std::string& out, const char* type, const std::string& data) {
  Append32(out, static_cast<std::uint32_t>(data.size()));
  const std::size_t start = out.size();
  out += type;
  out += data;
  Append32(out, Crc(out, start));
}

}  // namespace

Pixels RenderPixels(const MapRequest& request) {
  Pixels pixels{request.size, request.size, std::vector<std::uint8_t>(std::size_t(request.size) * request.size * 4, 0xff)};
  const double radius = request.size / 2.0;
  Fill(pixels, {radius, radius}, radius, 0x9cc3e6);
  Fill(pixels, {radius, radius}, std::max(2.0, radius / 60), 0xc00000);
  if (request.dx) Fill(pixels, Project(request, *request.dx, radius), std::max(2.0, radius / 60), 0x000000);
  return pixels;
}

std::string RenderSvg(const MapRequest& request) {
  const double radius = request.size / 2.0;
  std::string svg = "<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"" + std::to_string(request.size) +
                    "\" height=\"" + std::to_string(request.size) + "\"><circle id=\"edge\" cx=\"" +
                    std::to_string(radius) + "\" cy=\"" + std::to_string(radius) + "\" r=\"" +
                    std::to_string(radius) + "\" fill=\"#9cc3e6\"/>";
  if (request.dx) {
    const Point p = Project(request, *request.dx, radius);
    svg += "<circle id=\"dx\" cx=\"" + std::to_string(p.x) + "\" cy=\"" + std::to_string(p.y) + "\" r=\"3\"/>";
  }
  return svg + "</svg>\n";
}

// Stored (uncompressed) deflate blocks: valid, not small.
std::string EncodePng(const Pixels& pixels) {
  std::string raw;
  for (int y = 0; y < pixels.height; ++y) {
    raw += '\0';
    raw.append(reinterpret_cast<const char*>(&pixels.rgba[std::size_t(y) * pixels.width * 4]), std::size_t(pixels.width) * 4);
  }
  std::string zlib = "\x78\x01";
  std::uint32_t a = 1, b = 0;
  for (const char c : raw) a = (a + static_cast<std::uint8_t>(c)) % 65521, b = (b + a) % 65521;
  for (std::size_t at = 0; at < raw.size() || at == 0; at += 65535) {
    const std::size_t n = std::min<std::size_t>(65535, raw.size() - at);
    zlib += static_cast<char>(at + n >= raw.size() ? 1 : 0);
    zlib += static_cast<char>(n & 0xff), zlib += static_cast<char>(n >> 8);
    zlib += static_cast<char>(~n & 0xff), zlib += static_cast<char>((~n >> 8) & 0xff);
    zlib.append(raw, at, n);
    if (raw.empty()) break;
  }
  Append32(zlib, (b << 16) | a);
  std::string header;
  Append32(header, static_cast<std::uint32_t>(pixels.width));
  Append32(header, static_cast<std::uint32_t>(pixels.height));
  header += std::string("\x08\x06\x00\x00\x00", 5);
  std::string png = "\x89PNG\r\n\x1a\n";
  Chunk(png, "IHDR", header);
  Chunk(png, "IDAT", zlib);
  Chunk(png, "IEND", "");
  return png;
}

}  // namespace pelvorn::map
