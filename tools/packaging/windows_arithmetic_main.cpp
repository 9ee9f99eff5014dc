// Links the plain-C++ locator arithmetic into a 32-bit Windows program, so
// that the packaging check proves every function it needs is there.
#include "arithmetic/DegreesToLocator.h"
#include "arithmetic/GreatCircle.h"
#include "arithmetic/LocatorDecoding.h"
#include "arithmetic/RuntimeError.h"

#include <cstdio>

int main() {
  try {
    const double lat1 = pelvorn::LocatorToLatitude(u"JO62MM");
    const double lon1 = pelvorn::LocatorToLongitude(u"JO62MM");
    const double lat2 = pelvorn::LocatorToLatitude(u"KM38MM");
    const double lon2 = pelvorn::LocatorToLongitude(u"KM38MM");
    const double angle = pelvorn::CentralAngle(lat1, lat2, lon1, lon2);
    std::printf("%.3f km/%.2f\n", pelvorn::DistanceKm(angle),
                pelvorn::Direction(lat1, lat2, lon1, lon2, angle));
    std::printf("%s\n", pelvorn::DegreesToLocator(13.0, 52.5).locator.c_str());
  } catch (const pelvorn::RuntimeError& error) {
    std::printf("%s\n", pelvorn::DescribeRuntimeError(error.kind()));
    return 1;
  }
  return 0;
}
