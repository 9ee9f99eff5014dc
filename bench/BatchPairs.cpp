// Writes random pairs of well-formed locators for the batch benchmark, in
// the two input forms: Pelvorn's command lines ("L;JO62MM;KM38MM") and
// GeodSolve's inverse problems ("lat1 lon1 lat2 lon2", the same subsquare
// centres, signed longitudes).
//   batch_pairs COUNT PELVORN_FILE GEODSOLVE_FILE [SEED]
#include <cstdio>
#include <cstdlib>
#include <random>
#include <string>

namespace {

struct Locator {
  char text[7];
  double latitude;
  double longitude;
};

Locator Random(std::mt19937_64& random) {
  auto pick = [&](int count) { return static_cast<int>(random() % static_cast<unsigned>(count)); };
  const int lonField = pick(18), latField = pick(18), lonSquare = pick(10), latSquare = pick(10);
  const int lonSub = pick(24), latSub = pick(24);
  Locator locator{};
  const char text[7] = {static_cast<char>('A' + lonField), static_cast<char>('A' + latField),
                        static_cast<char>('0' + lonSquare), static_cast<char>('0' + latSquare),
                        static_cast<char>('A' + lonSub), static_cast<char>('A' + latSub), '\0'};
  std::copy(text, text + 7, locator.text);
  locator.longitude = lonField * 20 - 180 + lonSquare * 2 + lonSub * 5.0 / 60 + 2.5 / 60;
  locator.latitude = latField * 10 - 90 + latSquare + latSub * 2.5 / 60 + 1.25 / 60;
  return locator;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 4) {
    std::fputs("usage: batch_pairs COUNT PELVORN_FILE GEODSOLVE_FILE [SEED]\n", stderr);
    return 2;
  }
  const long count = std::strtol(argv[1], nullptr, 10);
  std::FILE* pelvorn = std::fopen(argv[2], "w");
  std::FILE* geodsolve = std::fopen(argv[3], "w");
  if (pelvorn == nullptr || geodsolve == nullptr) {
    std::perror("batch_pairs");
    return 2;
  }
  std::mt19937_64 random(argc > 4 ? std::strtoull(argv[4], nullptr, 10) : 20261207);
  for (long i = 0; i < count; ++i) {
    const Locator own = Random(random), foreign = Random(random);
    std::fprintf(pelvorn, "L;%s;%s\n", own.text, foreign.text);
    std::fprintf(geodsolve, "%.9f %.9f %.9f %.9f\n", own.latitude, own.longitude, foreign.latitude, foreign.longitude);
  }
  return std::fclose(pelvorn) == 0 && std::fclose(geodsolve) == 0 ? 0 : 1;
}
