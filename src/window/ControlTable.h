#pragma once

#include "common/Texts.h"
#include "arithmetic/LocatorInput.h"
#include "window/WindowView.h"

#include <array>
#include <cstddef>
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

// The controls in tab order, as the table below lists them.
enum class Control {
  OwnLocatorLabel,
  OwnLocatorBox,
  ForeignLocatorLabel,
  ForeignLocatorBox,
  CalculateButton,
  QuitButton,
  DistanceHeading,
  DirectionHeading,
  DistanceField,
  DirectionField,
  InfoButton,
};

struct ControlEntry {
  Control control;
  std::string_view name;  // the object name, as the window was designed
  ControlKind kind;
  std::string_view caption;  // UTF-8; "&" marks the access key
  TwipsRect twips;
  Alignment alignment;
};

// Client area of the window in twips.
inline constexpr int ClientWidthTwips = 5784;
inline constexpr int ClientHeightTwips = 1476;

// 1440 twips per inch at 96 pixels per inch.
inline constexpr int TwipsPerPixelAt96Dpi = 15;

inline constexpr std::string_view DesignCaption = text::DesignCaption;

inline constexpr std::array<ControlEntry, 11> Controls = {{
    {Control::OwnLocatorLabel, "Label1", ControlKind::Label, text::OwnLocatorLabel, {120, 300, 1275, 195}, Alignment::Left},
    {Control::OwnLocatorBox, "Text1", ControlKind::TextBox, text::OwnLocatorBox, {1440, 240, 1275, 255}, Alignment::Left},
    {Control::ForeignLocatorLabel, "Label2", ControlKind::Label, text::ForeignLocatorLabel, {120, 660, 1275, 195}, Alignment::Left},
    {Control::ForeignLocatorBox, "Text2", ControlKind::TextBox, text::ForeignLocatorBox, {1440, 600, 1275, 255}, Alignment::Left},
    {Control::CalculateButton, "Command2", ControlKind::Button, text::CalculateButton, {1440, 960, 1275, 435}, Alignment::Centre},
    {Control::QuitButton, "Command1", ControlKind::Button, text::QuitButton, {4380, 960, 1275, 435}, Alignment::Centre},
    {Control::DistanceHeading, "Label3", ControlKind::Label, text::DistanceHeading, {3000, 300, 1275, 195}, Alignment::Centre},
    {Control::DirectionHeading, "Label4", ControlKind::Label, text::DirectionHeading, {4380, 300, 1275, 195}, Alignment::Centre},
    {Control::DistanceField, "Entfernung", ControlKind::ResultField, text::DistanceField, {3000, 600, 1275, 255}, Alignment::Centre},
    {Control::DirectionField, "Richtung", ControlKind::ResultField, text::DirectionField, {4380, 600, 1275, 255}, Alignment::Centre},
    {Control::InfoButton, "Command3", ControlKind::Button, text::InfoButton, {5520, 0, 255, 255}, Alignment::Centre},
}};

// Returns the table entry of `control`.
constexpr const ControlEntry& EntryOf(Control control) { return Controls[static_cast<std::size_t>(control)]; }
constexpr bool InOrderOfControl() {
  for (std::size_t i = 0; i < Controls.size(); ++i) {
    if (Controls[i].control != static_cast<Control>(i)) return false;
  }
  return true;
}
static_assert(InOrderOfControl(), "the table lists the controls in the order of Control");

// Returns the control of a locator box or a result field.
constexpr Control ControlOf(TextBox box) {
  return box == TextBox::OwnLocator ? Control::OwnLocatorBox : Control::ForeignLocatorBox;
}
constexpr Control ControlOf(ResultField field) {
  return field == ResultField::Distance ? Control::DistanceField : Control::DirectionField;
}

}  // namespace pelvorn
