#pragma once

#include <string>
#include <string_view>

namespace pelvorn {

enum class TextBox { OwnLocator, ForeignLocator };
enum class ResultField { Distance, Direction };

// What the window's behaviour asks of the window itself. Each front end
// (Qt, Win32, a window that is never shown) implements it.
class WindowView {
public:
  virtual ~WindowView() = default;
  virtual std::u16string text(TextBox box) const = 0;
  // Sets the text of `box`, cut to the six characters a box holds.
  virtual void setText(TextBox box, std::u16string_view text) = 0;
  // Moves the input focus to `box`; does nothing while the window is hidden.
  virtual void setFocus(TextBox box) = 0;
  virtual std::u16string caption(ResultField field) const = 0;
  virtual void setCaption(ResultField field, std::u16string_view text) = 0;
  virtual void setWindowCaption(std::u16string_view caption) = 0;
  virtual void setVisible(bool visible) = 0;
  // Closes the window for good.
  virtual void unload() = 0;
};

}  // namespace pelvorn
