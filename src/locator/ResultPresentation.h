#pragma once

#include "common/NumberLocale.h"

#include <string>
#include <string_view>

namespace pelvorn {

// What a result is presented on: the two result fields, the clipboard and
// the window's visibility. The window's behaviour implements it; tests
// record it.
class ResultView {
public:
  virtual ~ResultView() = default;
  virtual void setDistanceCaption(std::u16string_view text) = 0;
  virtual std::u16string distanceCaption() const = 0;
  virtual void setDirectionCaption(std::u16string_view text) = 0;
  virtual std::u16string directionCaption() const = 0;
  // Clears the clipboard, then puts `line` on it as plain text. Throws
  // RuntimeError (PlatformFailure) when the clipboard does not take it.
  virtual void publishResultLine(const std::u16string& line) = 0;
  // Makes the window visible and puts the caret into the foreign locator box.
  virtual void showWithForeignLocatorFocused() = 0;
  // Ends a hidden run whose result is out: closes the window, ends the program.
  virtual void endHiddenRun() = 0;
};

// Computes the distance and direction from the own station (lat1, lon1) to
// the foreign one (lat2, lon2), in degrees, shows both in `view`, puts the
// result line on the clipboard and applies the visibility rule for
// `visibilityParam` (empty: show and focus; "V-": end the hidden run; any
// other text: nothing). A RuntimeError ends it where it arises; what was
// shown before stays shown.
void ShowDistanceDirection(double lat1, double lat2, double lon1, double lon2,
                           std::u16string_view visibilityParam, ResultView& view,
                           const NumberLocale& locale);

}  // namespace pelvorn
