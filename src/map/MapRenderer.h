#pragma once

#include "MapRequest.h"
#include "MapScene.h"

#include <memory>
#include <string>
#include <string_view>

// The map drawn without a toolkit: into pixels, as SVG text, or as PNG
// bytes. Each gives the same bytes on every system for the same request;
// the pixels and the SVG show the same geometry.

namespace pelvorn::map {

// The map of `request` as request.size x request.size opaque pixels.
Pixels RenderPixels(const MapRequest& request);

// The map of `request` as an SVG document (UTF-8).
std::string RenderSvg(const MapRequest& request);

// `pixels` as a PNG file's bytes.
std::string EncodePng(const Pixels& pixels);

// A scene as opaque pixels; `layer` (premultiplied) is laid over at scene.overlayAt.
Pixels ScenePixels(const Scene& scene, const Pixels* layer = nullptr);

// A scene as an SVG document; at scene.overlayAt it shows the group MarkerGroup.
std::string SceneSvg(const Scene& scene);
// SceneSvg in two pieces, the document's opening and the rest, so that a
// group of markers can stand between them.
std::string SvgOpening(int size);
std::string SvgBody(const Scene& scene);
inline constexpr std::string_view MarkerGroup = "qsos";
void AppendSvgShape(std::string& out, const Shape& shape);

// Returns `text` fit for an XML attribute value.
std::string XmlEscaped(std::string_view text);

// Draws shapes as they come into pixels: opaque ones, or a transparent
// layer (premultiplied), with AGG's rasteriser.
class Painter {
public:
  Painter(Pixels& pixels, bool layer);
  ~Painter();
  Painter(const Painter&) = delete;
  Painter& operator=(const Painter&) = delete;
  void Draw(const Shape& shape);

private:
  struct State;
  std::unique_ptr<State> state_;
};

// The markers of a log's QSOs, drawn one by one as the log is read, and the
// map below them once its centre is known: as SVG (the markers go out as
// they come, into a group that the map shows above its land) or as pixels
// (a transparent layer laid over the map). Memory does not grow with the
// number of markers.
class MarkerLayer {
public:
  MarkerLayer(int size, double radiusKm, bool svg);
  ~MarkerLayer();

  // The marker of a station `km` away in `direction` from the point of view
  // of the QSO's own position, placed so from the map's centre. Returns false
  // (nothing drawn) when it lies beyond the map's edge.
  bool Add(double km, double direction, int colour, const std::string& attributes);
  // SVG: the text made so far, for the caller to write out and clear.
  std::string& Svg() { return svg_; }
  // The rest of the picture: for SVG the text after Svg(), else the PNG.
  std::string Finish(MapRequest request);

private:
  struct Stamp;
  const Stamp& StampAt(int offsetX, int offsetY);

  int size_;
  double radiusKm_;
  bool svgFormat_;
  Projection frame_;
  std::string svg_;
  Pixels layer_;
  // A marker's coverage at each sub-pixel offset, drawn once by the
  // painter and blended wherever a marker has that offset.
  struct Stamps;
  std::unique_ptr<Stamps> stamps_;
};

}  // namespace pelvorn::map
