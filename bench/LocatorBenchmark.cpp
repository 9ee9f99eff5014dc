// One calculation per pair of locators: the computing half (decode both,
// central angle, distance, direction), the whole result (plus both number
// patterns and the result line), and Hamlib's qrb on the same pairs.
#include "arithmetic/GreatCircle.h"
#include "arithmetic/LocatorDecoding.h"
#include "arithmetic/NumberPatterns.h"

#include <hamlib/rig.h>
#include <hamlib/rotator.h>

#include <benchmark/benchmark.h>

#include <string>

#include <cstddef>
#include <random>
#include <string>
#include <vector>

namespace {

using namespace pelvorn;

struct Pair {
  std::u16string own;
  std::u16string foreign;
  std::string ownAscii;
  std::string foreignAscii;
  double ownLatitude, ownLongitude;          // signed longitude, as Hamlib takes it
  double foreignLatitude, foreignLongitude;
};

constexpr std::size_t PairCount = 1024;  // a power of two

std::string RandomLocator(std::mt19937& random) {
  auto pick = [&](char first, unsigned count) { return static_cast<char>(first + random() % count); };
  return {pick('A', 18), pick('A', 18), pick('0', 10), pick('0', 10), pick('A', 24), pick('A', 24)};
}

double Signed(double longitude) { return longitude >= 180 ? longitude - 360 : longitude; }

const std::vector<Pair>& Pairs() {
  static const std::vector<Pair> pairs = [] {
    std::mt19937 random(20260106);
    std::vector<Pair> result;
    for (std::size_t i = 0; i < PairCount; ++i) {
      Pair pair;
      pair.ownAscii = RandomLocator(random);
      pair.foreignAscii = RandomLocator(random);
      pair.own.assign(pair.ownAscii.begin(), pair.ownAscii.end());
      pair.foreign.assign(pair.foreignAscii.begin(), pair.foreignAscii.end());
      pair.ownLatitude = LocatorToLatitude(pair.own);
      pair.ownLongitude = Signed(LocatorToLongitude(pair.own));
      pair.foreignLatitude = LocatorToLatitude(pair.foreign);
      pair.foreignLongitude = Signed(LocatorToLongitude(pair.foreign));
      result.push_back(pair);
    }
    return result;
  }();
  return pairs;
}

struct Computed {
  double distance;
  double direction;
};

Computed Compute(const Pair& pair) {
  const double lat1 = LocatorToLatitude(pair.own);
  const double lon1 = LocatorToLongitude(pair.own);
  const double lat2 = LocatorToLatitude(pair.foreign);
  const double lon2 = LocatorToLongitude(pair.foreign);
  const double c = CentralAngle(lat1, lat2, lon1, lon2);
  return {DistanceKm(c), Direction(lat1, lat2, lon1, lon2, c)};
}

void ComputingHalf(benchmark::State& state) {
  const auto& pairs = Pairs();
  std::size_t i = 0;
  for (auto _ : state) {
    const Computed result = Compute(pairs[i]);
    benchmark::DoNotOptimize(result);
    i = (i + 1) & (PairCount - 1);
  }
}
BENCHMARK(ComputingHalf);

void WholeResult(benchmark::State& state) {
  const auto& pairs = Pairs();
  const NumberLocale german{u','};
  std::size_t i = 0;
  for (auto _ : state) {
    const Computed result = Compute(pairs[i]);
    const std::u16string line = ResultLine(FormatDistance(result.distance, german),
                                           FormatDirection(result.direction, german));
    benchmark::DoNotOptimize(line.data());
    i = (i + 1) & (PairCount - 1);
  }
}
BENCHMARK(WholeResult);

void HamlibQrb(benchmark::State& state) {
  rig_set_debug(RIG_DEBUG_NONE);
  const auto& pairs = Pairs();
  std::size_t i = 0;
  for (auto _ : state) {
    const Pair& pair = pairs[i];
    double distance = 0;
    double azimuth = 0;
    benchmark::DoNotOptimize(qrb(pair.ownLongitude, pair.ownLatitude, pair.foreignLongitude,
                                 pair.foreignLatitude, &distance, &azimuth));
    benchmark::DoNotOptimize(distance);
    benchmark::DoNotOptimize(azimuth);
    i = (i + 1) & (PairCount - 1);
  }
}
BENCHMARK(HamlibQrb);

// Hamlib with its own decoding, for comparison with the computing half.
void HamlibDecodeAndQrb(benchmark::State& state) {
  rig_set_debug(RIG_DEBUG_NONE);
  const auto& pairs = Pairs();
  std::size_t i = 0;
  for (auto _ : state) {
    const Pair& pair = pairs[i];
    double lon1 = 0, lat1 = 0, lon2 = 0, lat2 = 0, distance = 0, azimuth = 0;
    locator2longlat(&lon1, &lat1, pair.ownAscii.c_str());
    locator2longlat(&lon2, &lat2, pair.foreignAscii.c_str());
    benchmark::DoNotOptimize(qrb(lon1, lat1, lon2, lat2, &distance, &azimuth));
    benchmark::DoNotOptimize(distance);
    benchmark::DoNotOptimize(azimuth);
    i = (i + 1) & (PairCount - 1);
  }
}
BENCHMARK(HamlibDecodeAndQrb);

}  // namespace
