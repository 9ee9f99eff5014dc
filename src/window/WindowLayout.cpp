#include "WindowLayout.h"

#include <algorithm>
#include <cmath>

namespace pelvorn {

double LayoutScale(double pixelsPerTwip, const std::function<NeededRoom(const ControlEntry&)>& measure) {
  double scale = 1.0;
  for (const ControlEntry& control : Controls) {
    const NeededRoom room = measure(control);
    scale = std::max({scale, room.width / (control.twips.width * pixelsPerTwip),
                      room.height / (control.twips.height * pixelsPerTwip)});
  }
  return scale;
}

int ToPixels(int twips, double pixelsPerTwip, double scale) {
  return static_cast<int>(std::lround(twips * pixelsPerTwip * scale));
}

PixelRect ToPixels(const TwipsRect& twips, double pixelsPerTwip, double scale) {
  return {ToPixels(twips.left, pixelsPerTwip, scale), ToPixels(twips.top, pixelsPerTwip, scale),
          ToPixels(twips.width, pixelsPerTwip, scale), ToPixels(twips.height, pixelsPerTwip, scale)};
}

}  // namespace pelvorn
