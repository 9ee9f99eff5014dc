#pragma once

#include <QFont>
#include <QRect>
#include <QSize>
#include <QString>

#include <array>

// The fixed layout of the window, designed in twips (1/1440 inch).

namespace pelvorn {

inline constexpr int TwipsPerPixel = 15;  // 1440 twips per inch at 96 dpi

enum class ControlKind { Label, TextBox, Button, ResultField };

struct ControlSpec {
  const char* name;
  ControlKind kind;
  const char* caption;  // UTF-8, "&" marks the access key
  QRect twips;          // left, top, width, height
};

// Client area of the window in twips.
inline constexpr QSize ClientTwips(5784, 1476);

// The controls in tab order.
inline constexpr std::array<ControlSpec, 11> Controls = {{
    {"Label1", ControlKind::Label, "&Eigener Locator:", QRect(120, 300, 1275, 195)},
    {"Text1", ControlKind::TextBox, "Text1", QRect(1440, 240, 1275, 255)},
    {"Label2", ControlKind::Label, "&Fremd - Locator:", QRect(120, 660, 1275, 195)},
    {"Text2", ControlKind::TextBox, "Text2", QRect(1440, 600, 1275, 255)},
    {"Command2", ControlKind::Button, "&Rechnen", QRect(1440, 960, 1275, 435)},
    {"Command1", ControlKind::Button, "&Beenden", QRect(4380, 960, 1275, 435)},
    {"Label3", ControlKind::Label, "Entfernung (km)", QRect(3000, 300, 1275, 195)},
    {"Label4", ControlKind::Label, "Richtung (\u00b0)", QRect(4380, 300, 1275, 195)},
    {"Entfernung", ControlKind::ResultField, "Entfernung", QRect(3000, 600, 1275, 255)},
    {"Richtung", ControlKind::ResultField, "Richtung", QRect(4380, 600, 1275, 255)},
    {"Command3", ControlKind::Button, "&?", QRect(5520, 0, 255, 255)},
}};

inline constexpr int LocatorBoxMaxLength = 6;

// Returns the factor by which the whole layout grows so that every caption
// in `font` fits its control (at least 1): a font larger than the one the
// layout was drawn for scales it uniformly instead of clipping captions.
double LayoutScale(const QFont& font, int textBoxHeightHint);

// Returns `twips` in device-independent pixels, scaled by `scale`.
QRect ToPixels(const QRect& twips, double scale);
QSize ToPixels(const QSize& twips, double scale);

}  // namespace pelvorn
