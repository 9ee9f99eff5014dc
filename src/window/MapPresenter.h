#pragma once

#include "map/MapRenderer.h"

#include <functional>
#include <optional>
#include <string_view>

namespace pelvorn {

class PelvornForm;
class WindowView;

// The map window as its presenter sees it. Each front end implements it;
// it only shows what it is handed.
class MapView {
public:
  struct Size {
    int width = 0, height = 0;
  };
  virtual ~MapView() = default;
  virtual bool shown() const = 0;
  // Shows the window beside the main window, or brings it to the front.
  virtual void showBeside() = 0;
  virtual void hideMap() = 0;
  // The client area, in device pixels.
  virtual Size clientPixels() const = 0;
  // Shows `pixels` (a square) centred in the client area.
  virtual void showPixels(map::Pixels pixels) = 0;
  // Shows one line of text instead of a map.
  virtual void showHint(std::u16string_view text) = 0;
};

// The map window beside the main window: F8 or "Karte" opens it, Esc
// closes it. It shows the map of the last result and follows every
// Calculate; before the first result it shows the own station alone when
// the own locator box holds a valid locator, else a one-line hint. It is
// drawn at the size of the client area, the square's side the smaller of
// width and height.
class MapPresenter {
public:
  using Render = std::function<map::Pixels(const map::MapRequest&)>;
  // `render` draws a request (the map renderer; tests record instead).
  MapPresenter(MapView& view, const PelvornForm& form, const WindowView& window,
               Render render = map::RenderPixels);

  // F8, "Karte".
  void open();
  // Esc in the map window.
  void close();
  // The map window's client area changed its size.
  void resized();
  // The form has calculated (with a result or not).
  void calculated();

  // Returns the map at `side` pixels as the window would show it now; none
  // when it shows the hint.
  std::optional<map::MapRequest> request(int side) const;

private:
  void redraw();

  MapView& view_;
  const PelvornForm& form_;
  const WindowView& window_;
  Render render_;
  int drawnSide_ = 0;
};

}  // namespace pelvorn
