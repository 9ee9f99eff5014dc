// Any box text: normalisation, then decoding and the whole computation of a
// result for what the box accepts, and decoding of the raw text as well.
#include "FuzzInput.h"

#include "arithmetic/GreatCircle.h"
#include "arithmetic/LocatorDecoding.h"
#include "arithmetic/NumberPatterns.h"
#include "arithmetic/RuntimeError.h"
#include "arithmetic/LocatorInput.h"

#include <cmath>
#include <cstdlib>

namespace {

void DecodeRaw(const std::u16string& text) {
  try {
    (void)pelvorn::LocatorToLatitude(text);
  } catch (const pelvorn::RuntimeError&) {
  }
  try {
    (void)pelvorn::LocatorToLongitude(text);
  } catch (const pelvorn::RuntimeError&) {
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::u16string text = FuzzText(data, size);
  DecodeRaw(text);
  const pelvorn::LocatorBoxOutcome outcome = pelvorn::NormaliseLocatorBox(text);
  if (outcome.verdict != pelvorn::LocatorBoxOutcome::Verdict::Accepted) return 0;
  if (!pelvorn::IsWellFormedLocator(outcome.text)) std::abort();

  // A well-formed locator never raises: distance and direction to JO62MM.
  const double latitude = pelvorn::LocatorToLatitude(outcome.text);
  const double longitude = pelvorn::LocatorToLongitude(outcome.text);
  if (!(std::fabs(latitude) < 90) || !(longitude > 0 && longitude < 360)) std::abort();
  const double angle = pelvorn::CentralAngle(latitude, 52.5, longitude, 13.0);
  const double direction = pelvorn::Direction(latitude, 52.5, longitude, 13.0, angle);
  if (!(direction > 0 && direction < 360)) std::abort();
  (void)pelvorn::FormatDistance(pelvorn::DistanceKm(angle), FuzzLocales()[0]);
  return 0;
}
