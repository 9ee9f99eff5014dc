#include "QtWindowLayout.h"

#include "QtText.h"

#include <QFontMetrics>

#include <algorithm>
#include <cmath>

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

int Scaled(int twips, double scale) {
  return static_cast<int>(std::lround(twips * scale / TwipsPerPixelAt96Dpi));
}

}  // namespace

double LayoutScale(const QFont& font, int textBoxHeightHint) {
  const QFontMetrics metrics(font);
  double scale = 1.0;
  for (const ControlSpec& control : Controls) {
    const double width = static_cast<double>(control.twips.width) / TwipsPerPixelAt96Dpi;
    const double height = static_cast<double>(control.twips.height) / TwipsPerPixelAt96Dpi;
    if (control.kind == ControlKind::TextBox) {
      scale = std::max(scale, textBoxHeightHint / height);
      continue;
    }
    QString caption = ToQString(control.caption);
    caption.remove(QLatin1Char('&'));
    const int needWidth = metrics.horizontalAdvance(caption) + HorizontalPadding(control.kind);
    const int needHeight = metrics.height() + VerticalPadding(control.kind);
    scale = std::max({scale, needWidth / width, needHeight / height});
  }
  return scale;
}

QRect ToPixels(const TwipsRect& twips, double scale) {
  return {Scaled(twips.left, scale), Scaled(twips.top, scale), Scaled(twips.width, scale),
          Scaled(twips.height, scale)};
}

QSize ClientSizeInPixels(double scale) {
  return {Scaled(ClientWidthTwips, scale), Scaled(ClientHeightTwips, scale)};
}

}  // namespace pelvorn
