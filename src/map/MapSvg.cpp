#include "MapRenderer.h"
#include "MapScene.h"

#include <charconv>
#include <cmath>
#include <cstdio>
#include <set>

namespace pelvorn::map {
namespace {

// A quantised coordinate, exactly: an integer number of 1/Quantum pixels.
void Number(std::string& out, double value) {
  long long units = std::llround(value * Quantum);
  if (units < 0) out += '-', units = -units;
  out += std::to_string(units / Quantum);
  if (const long long rest = units % Quantum) {
    char digits[3];
    std::snprintf(digits, sizeof digits, "%02lld", rest);
    out += '.';
    out += digits[0];
    if (digits[1] != '0') out += digits[1];
  }
}

void Paint(std::string& out, const char* attribute, Colour colour) {
  char text[64];
  std::snprintf(text, sizeof text, " %s=\"#%02x%02x%02x\"", attribute, colour.r, colour.g, colour.b);
  out += text;
  if (colour.a != 255) {
    std::snprintf(text, sizeof text, " %s-opacity=\"%.3g\"", attribute, colour.a / 255.0);
    out += text;
  }
}

// Path data; after the first point each is relative to the one before.
void PathData(std::string& out, const std::vector<Contour>& contours, bool closed) {
  out += " d=\"";
  long long x = 0, y = 0;
  for (const Contour& contour : contours) {
    for (std::size_t i = 0; i < contour.size(); ++i) {
      const long long px = std::llround(contour[i].x * Quantum), py = std::llround(contour[i].y * Quantum);
      if (i == 0) {
        out += 'M';
        Number(out, static_cast<double>(px) / Quantum);
        out += ' ';
        Number(out, static_cast<double>(py) / Quantum);
      } else {
        if (i == 1) out += 'l';
        Number(out, static_cast<double>(px - x) / Quantum);
        if (py - y >= 0) out += ' ';
        Number(out, static_cast<double>(py - y) / Quantum);
        out += ' ';
      }
      x = px, y = py;
    }
    if (closed) out += 'z';
  }
  out += '"';
}

std::string Shortest(double value) {
  char text[32];
  const auto result = std::to_chars(text, text + sizeof text, value);
  return std::string(text, result.ptr);
}

}  // namespace

std::string XmlEscaped(std::string_view text) {
  std::string out;
  for (const char c : text) {
    switch (c) {
      case '&': out += "&amp;"; break;
      case '<': out += "&lt;"; break;
      case '>': out += "&gt;"; break;
      case '"': out += "&quot;"; break;
      case '\'': out += "&apos;"; break;
      default: out += c;
    }
  }
  return out;
}

std::string SvgOpening(int size) {
  const std::string side = std::to_string(size);
  return "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<svg xmlns=\"http://www.w3.org/2000/svg\" "
         "xmlns:xlink=\"http://www.w3.org/1999/xlink\" width=\"" + side + "\" height=\"" + side +
         "\" viewBox=\"0 0 " + side + ' ' + side + "\">\n";
}

void AppendSvgShape(std::string& out, const Shape& shape) {
  const std::string attributes = shape.attributes.empty() ? std::string() : ' ' + shape.attributes;
  switch (shape.kind) {
    case Shape::Kind::Fill:
      out += "<path" + attributes;
      Paint(out, "fill", shape.colour);
      if (shape.evenOdd) out += " fill-rule=\"evenodd\"";
      PathData(out, shape.contours, true);
      out += "/>\n";
      break;
    case Shape::Kind::Stroke:
      if (shape.contours.empty()) break;
      out += "<path" + attributes + " fill=\"none\"";
      Paint(out, "stroke", shape.colour);
      out += " stroke-width=\"";
      Number(out, shape.width);
      out += "\" stroke-linecap=\"round\" stroke-linejoin=\"round\"";
      if (shape.dash > 0) {
        out += " stroke-dasharray=\"";
        Number(out, shape.dash);
        out += "\"";
      }
      PathData(out, shape.contours, shape.closed);
      out += "/>\n";
      break;
    case Shape::Kind::Circle:
      out += "<circle" + attributes + " cx=\"";
      Number(out, shape.centre.x);
      out += "\" cy=\"";
      Number(out, shape.centre.y);
      out += "\" r=\"";
      Number(out, shape.radius);
      out += '"';
      if (shape.colour.a) {
        Paint(out, "fill", shape.colour);
      } else {
        out += " fill=\"none\"";
      }
      if (shape.width > 0) {
        Paint(out, "stroke", shape.outline);
        out += " stroke-width=\"";
        Number(out, shape.width);
        out += '"';
      }
      out += "/>\n";
      break;
    case Shape::Kind::Text: {
      out += "<g" + attributes;
      Paint(out, "fill", shape.colour);
      out += '>';
      const std::string scale = Shortest(shape.scale);
      for (const PlacedGlyph& placed : shape.glyphs) {
        out += "<use xlink:href=\"#g" + std::to_string(placed.glyph->code) + "\" transform=\"matrix(" + scale +
               " 0 0 -" + scale + ' ';
        Number(out, placed.x);
        out += ' ';
        Number(out, placed.y);
        out += ")\"/>";
      }
      out += "</g>\n";
      break;
    }
  }
}

std::string SvgBody(const Scene& scene) {
  std::string out = "<defs>\n";
  std::set<const Glyph*> used;
  for (const Shape& shape : scene.shapes)
    for (const PlacedGlyph& placed : shape.glyphs) used.insert(placed.glyph);
  for (const Glyph* glyph : used) {
    out += "<path id=\"g" + std::to_string(glyph->code) + '"';
    PathData(out, glyph->contours, true);
    out += "/>\n";
  }
  out += "</defs>\n";
  for (std::size_t i = 0; i <= scene.shapes.size(); ++i) {
    if (i == scene.overlayAt) out += "<use xlink:href=\"#" + std::string(MarkerGroup) + "\"/>\n";
    if (i < scene.shapes.size()) AppendSvgShape(out, scene.shapes[i]);
  }
  out += "</svg>\n";
  return out;
}

std::string RenderSvg(const MapRequest& request) {
  const Scene scene = BuildScene(request);
  return SvgOpening(scene.size) + SvgBody(scene);
}

std::string SceneSvg(const Scene& scene) { return SvgOpening(scene.size) + SvgBody(scene); }

}  // namespace pelvorn::map
