#pragma once

#include "window/ControlTable.h"

#include <optional>

// The keys the window reacts to and the buttons they press.

namespace pelvorn {

// Virtual-key code of F1, as PelvornForm::keyReleased receives it.
inline constexpr int KeyCodeF1 = 112;

// Returns the button Enter presses: the one that has the focus, or else the
// default button "&Rechnen".
constexpr Control ButtonPressedByEnter(std::optional<Control> focusedButton) {
  return focusedButton.value_or(Control::CalculateButton);
}

// Esc presses the cancel button "&Beenden".
inline constexpr Control ButtonPressedByEscape = Control::QuitButton;

}  // namespace pelvorn
