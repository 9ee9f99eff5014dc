#pragma once

#include <optional>

// The keys the window reacts to and the buttons they press.

namespace pelvorn {

enum class Button { Command1, Command2, Command3 };

// Virtual-key code of F1, as Form_KeyUp receives it.
inline constexpr int KeyCodeF1 = 112;

// Returns the button Enter presses: the one that has the focus, or else the
// default button "&Rechnen".
constexpr Button ButtonPressedByEnter(std::optional<Button> focusedButton) {
  return focusedButton.value_or(Button::Command2);
}

// Esc presses the cancel button "&Beenden".
inline constexpr Button ButtonPressedByEscape = Button::Command1;

}  // namespace pelvorn
