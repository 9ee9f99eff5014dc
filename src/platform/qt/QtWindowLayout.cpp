#include "QtWindowLayout.h"

#include "QtText.h"

#include <QFontMetrics>


namespace pelvorn {
namespace {

// Room a control needs around its text, in pixels: label margins, button
// bevel and padding, result field border.
int HorizontalPadding(ControlKind kind) {
  switch (kind) {
    case ControlKind::Label: return 2;
    case ControlKind::ResultField: return 4;
    case ControlKind::Button: return 8;
    case ControlKind::TextBox: return 0;
  }
  return 0;
}

int VerticalPadding(ControlKind kind) {
  switch (kind) {
    case ControlKind::Button: return 6;
    case ControlKind::ResultField: return 2;
    default: return 0;
  }
}

// Device-independent pixels per twip: the table was drawn at 96 dpi.
constexpr double PixelsPerTwip = 1.0 / TwipsPerPixelAt96Dpi;

}  // namespace

double LayoutScale(const QFont& font, int textBoxHeightHint) {
  const QFontMetrics metrics(font);
  return LayoutScale(PixelsPerTwip, [&](const ControlEntry& control) -> NeededRoom {
    if (control.kind == ControlKind::TextBox) return {0, static_cast<double>(textBoxHeightHint)};
    QString caption = ToQString(control.caption);
    caption.remove(QLatin1Char('&'));
    return {static_cast<double>(metrics.horizontalAdvance(caption) + HorizontalPadding(control.kind)),
            static_cast<double>(metrics.height() + VerticalPadding(control.kind))};
  });
}

QRect ToPixels(const TwipsRect& twips, double scale) {
  const PixelRect r = ToPixels(twips, PixelsPerTwip, scale);
  return {r.left, r.top, r.width, r.height};
}

QSize ClientSizeInPixels(double scale) {
  return {ToPixels(ClientWidthTwips, PixelsPerTwip, scale), ToPixels(ClientHeightTwips, PixelsPerTwip, scale)};
}

}  // namespace pelvorn
