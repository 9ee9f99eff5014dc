#pragma once

#include "window/ControlTable.h"

#include <functional>

// The window's layout in device pixels: the control table's twips, grown as
// a whole when the front end's font needs more room than the table was drawn
// for, so that no caption is clipped.

namespace pelvorn {

// Room that one control needs for what it shows, in device pixels; 0 for a
// direction in which it needs nothing.
struct NeededRoom {
  double width = 0;
  double height = 0;
};

// Returns the factor (at least 1) by which the layout grows so that every
// control gets the room `measure` says it needs, at `pixelsPerTwip`
// (device pixels per twip before growing).
double LayoutScale(double pixelsPerTwip, const std::function<NeededRoom(const ControlEntry&)>& measure);

struct PixelRect {
  int left;
  int top;
  int width;
  int height;
};

// Returns `twips` in device pixels at `pixelsPerTwip` grown by `scale`, rounded.
int ToPixels(int twips, double pixelsPerTwip, double scale);
PixelRect ToPixels(const TwipsRect& twips, double pixelsPerTwip, double scale);

}  // namespace pelvorn
