#pragma once

#include <array>
#include <string_view>

// The window "Pelvorn" as designed: every control with its kind, caption and
// place in twips (1/1440 inch), in tab order. Each front end builds its
// window from this table.

namespace pelvorn {

enum class ControlKind { Label, TextBox, Button, ResultField };
enum class Alignment { Left, Centre };

struct TwipsRect {
  int left;
  int top;
  int width;
  int height;
};

struct ControlSpec {
  std::string_view name;
  ControlKind kind;
  std::u16string_view caption;  // "&" marks the access key
  TwipsRect twips;
  Alignment alignment;
};

// Client area of the window in twips.
inline constexpr int ClientWidthTwips = 5784;
inline constexpr int ClientHeightTwips = 1476;

// 1440 twips per inch at 96 pixels per inch.
inline constexpr int TwipsPerPixelAt96Dpi = 15;

// A locator box holds at most this many characters.
inline constexpr int LocatorBoxMaxLength = 6;

inline constexpr std::u16string_view DesignCaption = u" Pelvorn V1.0 ";

inline constexpr std::array<ControlSpec, 11> Controls = {{
    {"Label1", ControlKind::Label, u"&Eigener Locator:", {120, 300, 1275, 195}, Alignment::Left},
    {"Text1", ControlKind::TextBox, u"Text1", {1440, 240, 1275, 255}, Alignment::Left},
    {"Label2", ControlKind::Label, u"&Fremd - Locator:", {120, 660, 1275, 195}, Alignment::Left},
    {"Text2", ControlKind::TextBox, u"Text2", {1440, 600, 1275, 255}, Alignment::Left},
    {"Command2", ControlKind::Button, u"&Rechnen", {1440, 960, 1275, 435}, Alignment::Centre},
    {"Command1", ControlKind::Button, u"&Beenden", {4380, 960, 1275, 435}, Alignment::Centre},
    {"Label3", ControlKind::Label, u"Entfernung (km)", {3000, 300, 1275, 195}, Alignment::Centre},
    {"Label4", ControlKind::Label, u"Richtung (\u00b0)", {4380, 300, 1275, 195}, Alignment::Centre},
    {"Entfernung", ControlKind::ResultField, u"Entfernung", {3000, 600, 1275, 255}, Alignment::Centre},
    {"Richtung", ControlKind::ResultField, u"Richtung", {4380, 600, 1275, 255}, Alignment::Centre},
    {"Command3", ControlKind::Button, u"&?", {5520, 0, 255, 255}, Alignment::Centre},
}};

}  // namespace pelvorn
