#pragma once

#include "window/WindowLayout.h"

#include <QFont>
#include <QRect>
#include <QSize>

// The control table's twips in Qt's device-independent pixels.

namespace pelvorn {

// Returns the factor by which the whole layout grows so that every caption
// in `font` fits its control (at least 1): a font larger than the one the
// layout was drawn for scales it uniformly instead of clipping captions.
double LayoutScale(const QFont& font, int textBoxHeightHint);

// Returns `twips` in device-independent pixels, scaled by `scale`.
QRect ToPixels(const TwipsRect& twips, double scale);
QSize ClientSizeInPixels(double scale);

}  // namespace pelvorn
