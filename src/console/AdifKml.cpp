#include "AdifKml.h"

#include "arithmetic/GreatCircle.h"
#include "arithmetic/NormalisedDegrees.h"
#include "arithmetic/NumberPatterns.h"
#include "common/Text.h"
#include "common/Texts.h"

#include <cmath>

namespace pelvorn::adif {
namespace {

// Appends `text` as XML character data. Bytes are UTF-8 (PeerText) without
// control characters; the two non-characters XML also forbids are dropped.
void AppendEscaped(std::string& out, std::string_view text) {
  for (std::size_t i = 0; i < text.size(); ++i) {
    const char c = text[i];
    if (c == '&') {
      out += "&amp;";
    } else if (c == '<') {
      out += "&lt;";
    } else if (c == '>') {
      out += "&gt;";
    } else if (c == '\xEF' && text.substr(i + 1, 2) >= "\xBF\xBE" && text.substr(i + 1, 2) <= "\xBF\xBF") {
      i += 2;  // U+FFFE, U+FFFF
    } else {
      out += c;
    }
  }
}

std::string Escaped(std::string_view text) {
  std::string out;
  AppendEscaped(out, text);
  return out;
}

void AppendCoordinate(std::string& out, double latitude, double longitude) {
  AppendFixed(out, longitude, 6);
  out += ',';
  AppendFixed(out, latitude, 6);
}

void AppendPoint(std::string& out, double latitude, double longitude) {
  out += "<Point><coordinates>";
  AppendCoordinate(out, latitude, longitude);
  out += "</coordinates></Point>";
}

// Returns `longitude` in [-180, 180).
double SignedLongitude(double longitude) { return NormalisedDegrees(longitude + 180) - 180; }

constexpr std::string_view LineStart = "<LineString><tessellate>1</tessellate><coordinates>";
constexpr std::string_view LineEnd = "</coordinates></LineString>";

// Appends the LineStrings of the QSO's path: points at most MaximumStepKm
// apart along the great circle, cut where it crosses the date line.
void AppendPath(std::string& out, const QsoCheck& check) {
  const double km = check.PathKm();
  const GreatCircleWalk walk(check.ownLatitude, check.ownLongitude, check.PathDirection());
  const int steps = static_cast<int>(km / MaximumStepKm) + 1;
  out += LineStart;
  double latitude = check.ownLatitude, longitude = SignedLongitude(check.ownLongitude);
  AppendCoordinate(out, latitude, longitude);
  double at = 0;
  for (int step = 1; step <= steps; ++step) {
    const double next = km * step / steps;
    GreatCircleWalk::Position point = walk.At(next);
    if (step == steps) point = {check.foreignLatitude, SignedLongitude(check.foreignLongitude)};
    // A step far shorter than half the circle sweeps the shorter way round.
    const auto swept = [&](double to) { return NormalisedDegrees(to - longitude + 180) - 180; };
    const double reached = longitude + swept(point.longitude);
    if (reached > 180 || reached < -180) {
      // The date line lies between: find where, along the circle.
      double before = at, after = next;
      for (int halving = 0; halving < 48; ++halving) {
        const double middle = (before + after) / 2;
        const double beyond = longitude + swept(walk.At(middle).longitude);
        (beyond > 180 || beyond < -180 ? after : before) = middle;
      }
      const double edge = reached > 180 ? 180 : -180;
      const double crossing = walk.At(after).latitude;
      out += ' ';
      AppendCoordinate(out, crossing, edge);
      out += LineEnd;
      out += LineStart;
      AppendCoordinate(out, crossing, -edge);
    }
    out += ' ';
    AppendCoordinate(out, point.latitude, point.longitude);
    latitude = point.latitude, longitude = point.longitude, at = next;
  }
  out += LineEnd;
}

// Returns QSO_DATE YYYYMMDD as DD.MM.YYYY, anything else as written.
std::string ShownDate(std::string_view date) {
  if (date.size() == 8 && date.find_first_not_of("0123456789") == std::string_view::npos) {
    return std::string(date.substr(6, 2)) + '.' + std::string(date.substr(4, 2)) + '.' + std::string(date.substr(0, 4));
  }
  return ShownField(date);
}

// Appends "label: value" to a description, which Google Earth reads as
// HTML: the value is escaped for HTML here, and the whole for XML later.
void AddLine(std::string& html, std::string_view label, std::string_view value) {
  if (value.empty()) return;
  if (!html.empty()) html += "<br>";
  html += Fill(text::KmlDescriptionLine, {label, Escaped(value)});
}

std::string Placemark(std::string_view name, std::string_view style, std::string_view html) {
  std::string out = "<Placemark><name>";
  AppendEscaped(out, name);
  out += "</name><description>";
  AppendEscaped(out, html);
  out += "</description><styleUrl>#";
  out += style;
  out += "</styleUrl>";
  return out;
}

}  // namespace

void KmlWriter::AppendHead(std::string& out, std::string_view title) {
  out += "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<kml xmlns=\"http://www.opengis.net/kml/2.2\">\n<Document><name>";
  AppendEscaped(out, PeerText(title));
  out +=
      "</name>\n"
      "<Style id=\"own\"><IconStyle><color>ff2020d0</color></IconStyle></Style>\n"
      "<Style id=\"qso\"><IconStyle><color>ffc04010</color></IconStyle>"
      "<LineStyle><color>c02010c0</color><width>2</width></LineStyle></Style>\n";
}

void KmlWriter::AppendQso(std::string& out, const QsoCheck& check) {
  const Position origin{check.ownLatitude, check.ownLongitude};
  if (origin != lastOrigin_ && !origins_.contains(origin)) {
    if (origins_.size() < RememberedOrigins) origins_.insert(origin);
    out += Placemark(check.ownShown, "own", text::KmlOwnStation);
    AppendPoint(out, check.ownLatitude, SignedLongitude(check.ownLongitude));
    out += "</Placemark>\n";
  }
  lastOrigin_ = origin;

  std::string html;
  AddLine(html, text::KmlDate, ShownDate(check.date));
  AddLine(html, text::KmlBand, ShownField(check.band));
  AddLine(html, text::KmlMode, ShownField(check.submode.empty() ? check.mode : check.submode));
  const NumberLocale german{u','};
  AddLine(html, check.longPath ? text::KmlLongPathDistance : text::KmlDistance,
          Fill(text::KmlKm, {ToUtf8(FormatDistance(check.PathKm(), german))}));
  AddLine(html, text::KmlDirection, Fill(text::KmlDegrees, {ToUtf8(FormatDirection(check.PathDirection(), german))}));
  out += Placemark(ShownField(check.call), "qso", html);
  out += "<MultiGeometry>";
  AppendPoint(out, check.foreignLatitude, SignedLongitude(check.foreignLongitude));
  AppendPath(out, check);
  out += "</MultiGeometry></Placemark>\n";
}

void KmlWriter::AppendTail(std::string& out) { out += "</Document>\n</kml>\n"; }

}  // namespace pelvorn::adif
