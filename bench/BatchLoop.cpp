// The yardstick of batch-benchmark.sh: the least a program does per line
// "L;JO62MM;KM38MM" of six-character locators. It reads the line, decodes
// both subsquare centres, applies the spherical law of cosines and the
// initial bearing, and writes both numbers with to_chars. No checks, no
// messages, one thread.
//   batch_loop [FILE]   (no FILE: standard input)
#include <charconv>
#include <cmath>
#include <cstdio>

namespace {

constexpr double Pi = 3.14159265358979323846;
constexpr double Radius = 6367.6539915;  // km, the program's sphere

struct Centre {
  double latitude, longitude;  // radians
};

Centre Decode(const char* text) {
  const auto upper = [](char c) { return c >= 'a' ? c - 'a' : c - 'A'; };
  const double longitude = upper(text[0]) * 20 - 180 + (text[2] - '0') * 2 + upper(text[4]) * 5.0 / 60 + 2.5 / 60;
  const double latitude = upper(text[1]) * 10 - 90 + (text[3] - '0') + upper(text[5]) * 2.5 / 60 + 1.25 / 60;
  return {latitude * Pi / 180, longitude * Pi / 180};
}

}  // namespace

int main(int argc, char** argv) {
  std::FILE* in = argc > 1 ? std::fopen(argv[1], "rb") : stdin;
  if (in == nullptr) {
    std::perror("batch_loop");
    return 2;
  }
  char line[256], out[64];
  while (std::fgets(line, sizeof line, in) != nullptr) {
    const Centre a = Decode(line + 2), b = Decode(line + 9);
    const double deltaLongitude = b.longitude - a.longitude;
    const double cosine = std::sin(a.latitude) * std::sin(b.latitude) +
                          std::cos(a.latitude) * std::cos(b.latitude) * std::cos(deltaLongitude);
    const double km = std::acos(std::fmax(-1.0, std::fmin(1.0, cosine))) * Radius;
    double bearing = std::atan2(std::sin(deltaLongitude) * std::cos(b.latitude),
                                std::cos(a.latitude) * std::sin(b.latitude) -
                                    std::sin(a.latitude) * std::cos(b.latitude) * std::cos(deltaLongitude)) * 180 / Pi;
    if (bearing < 0) bearing += 360;
    char* end = std::to_chars(out, out + 30, km, std::chars_format::fixed, 3).ptr;
    *end++ = ' ';
    end = std::to_chars(end, out + 62, bearing, std::chars_format::fixed, 2).ptr;
    *end++ = '\n';
    std::fwrite(out, 1, static_cast<std::size_t>(end - out), stdout);
  }
  return std::fclose(stdout) == 0 ? 0 : 1;
}
