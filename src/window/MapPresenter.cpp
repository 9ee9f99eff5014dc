#include "MapPresenter.h"

#include "arithmetic/LocatorDecoding.h"
#include "arithmetic/LocatorInput.h"
#include "arithmetic/RuntimeError.h"
#include "common/Text.h"
#include "common/Texts.h"
#include "window/PelvornForm.h"
#include "window/WindowView.h"

#include <algorithm>

namespace pelvorn {
namespace {

// The sides the map is drawn at, whatever the window's size.
constexpr int SmallestSide = 1;
constexpr int LargestSide = 8000;

}  // namespace

MapPresenter::MapPresenter(MapView& view, const PelvornForm& form, const WindowView& window, Render render)
    : view_(view), form_(form), window_(window), render_(std::move(render)) {}

void MapPresenter::open() {
  const bool wasShown = view_.shown();
  view_.showBeside();
  if (!wasShown) redraw();
}

void MapPresenter::close() { view_.hideMap(); }

void MapPresenter::resized() {
  const MapView::Size client = view_.clientPixels();
  if (view_.shown() && std::min(client.width, client.height) != drawnSide_) redraw();
}

void MapPresenter::calculated() {
  if (view_.shown()) redraw();
}

std::optional<map::MapRequest> MapPresenter::request(int side) const {
  map::MapRequest request;
  request.size = side;
  if (const auto& result = form_.shownResult()) {
    const std::string own = ToUtf8(result->ownLocator), dx = ToUtf8(result->foreignLocator);
    request.own = {result->ownLatitude, result->ownLongitude, own};
    request.dx = map::Station{result->foreignLatitude, result->foreignLongitude, dx};
    request.caption = Fill(text::MapCaption, {own, dx, ToUtf8(result->line)});
    return request;
  }
  // The own station alone, where the window would calculate from.
  const LocatorBoxOutcome own = NormaliseLocatorBox(window_.text(TextBox::OwnLocator));
  if (own.verdict != LocatorBoxOutcome::Verdict::Accepted) return std::nullopt;
  try {
    request.own = {LocatorToLatitude(own.text), LocatorToLongitude(own.text), ToUtf8(own.text)};
  } catch (const RuntimeError&) {
    return std::nullopt;
  }
  request.caption = request.own.label;
  return request;
}

void MapPresenter::redraw() {
  const MapView::Size client = view_.clientPixels();
  drawnSide_ = std::min(client.width, client.height);
  const auto map = request(std::clamp(drawnSide_, SmallestSide, LargestSide));
  if (map) {
    view_.showPixels(render_(*map));
  } else {
    view_.showHint(FromUtf8(text::MapHint));
  }
}

}  // namespace pelvorn
