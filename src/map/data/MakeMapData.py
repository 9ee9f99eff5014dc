#!/usr/bin/python3
"""Turns the map's sources into the compact files the program embeds.

  land-110m.json, land-50m.json (Natural Earth land as TopoJSON, npm package
  world-atlas 2.0.2)  ->  land-110m.bin, land-50m.bin
  DejaVu Sans (Debian fonts-dejavu-core, read with python3-fonttools)
                      ->  glyphs.bin

Every number is an unsigned LEB128 varint; "signed" ones are zigzag coded.
Land: rings; each ring: point count, then (longitude, latitude) in
thousandths of a degree, each as the signed difference from the point
before (the first from 0, 0). Longitudes run on without the jump at the
antimeridian, so a ring may reach past +-180; the ring round the south
pole is closed along the pole. Glyphs: units per em, glyph count; each:
code point, advance, contour count; each contour: point count and signed
differences of (x, y) in font units, curves flattened to lines.
Run: /usr/bin/python3 MakeMapData.py [FONT.ttf]  (in this folder).
"""
import json
import os
import sys

HERE = os.path.dirname(os.path.abspath(__file__))
FONT = "/usr/share/fonts/truetype/dejavu/DejaVuSans.ttf"
CHARACTERS = [chr(c) for c in range(0x20, 0x7F)] + list("°–äöüÄÖÜß·")


def varint(value, out):
    while True:
        byte = value & 0x7F
        value >>= 7
        if value:
            out.append(byte | 0x80)
        else:
            out.append(byte)
            return


def signed(value, out):
    varint(value * 2 if value >= 0 else -value * 2 - 1, out)


def points(deltas_of_rings, out):
    varint(len(deltas_of_rings), out)
    for ring in deltas_of_rings:
        varint(len(ring), out)
        x = y = 0
        for px, py in ring:
            signed(px - x, out)
            signed(py - y, out)
            x, y = px, py


def land_rings(path):
    topology = json.load(open(path))
    (sx, sy), (tx, ty) = topology["transform"]["scale"], topology["transform"]["translate"]
    arcs = []
    for arc in topology["arcs"]:
        x = y = 0
        line = []
        for dx, dy in arc:
            x += dx
            y += dy
            line.append((round((x * sx + tx) * 1000), round((y * sy + ty) * 1000)))
        arcs.append(line)
    rings = []
    for geometry in topology["objects"]["land"]["geometries"]:
        polygons = geometry["arcs"] if geometry["type"] == "MultiPolygon" else [geometry["arcs"]]
        for polygon in polygons:
            for ring_arcs in polygon:
                ring = []
                for index in ring_arcs:
                    line = arcs[index] if index >= 0 else arcs[~index][::-1]
                    ring.extend(line if not ring else line[1:])
                rings.append(unwrapped(ring[:-1]))
    return rings


def unwrapped(ring):
    """The ring with each step taken the short way round in longitude."""
    out = [ring[0]]
    for lon, lat in ring[1:]:
        step = (lon - out[-1][0] + 180000) % 360000 - 180000
        out.append((out[-1][0] + step, lat))
    turn = (ring[0][0] - out[-1][0] + 180000) % 360000 - 180000 + out[-1][0] - out[0][0]
    if turn:  # round the pole once: close the ring along it
        assert abs(turn) == 360000 and max(lat for _, lat in ring) < -60000, "a ring round the north pole"
        out.append((out[-1][0], -90000))
        out.append((out[0][0], -90000))
    return out


def glyphs(font_path):
    from fontTools.pens.basePen import BasePen
    from fontTools.ttLib import TTFont

    font = TTFont(font_path)
    cmap = font.getBestCmap()
    glyph_set = font.getGlyphSet()

    class Flattener(BasePen):
        def __init__(self):
            super().__init__(glyph_set)
            self.contours = []

        def _moveTo(self, p):
            self.contours.append([p])

        def _lineTo(self, p):
            self.contours[-1].append(p)

        def _qCurveToOne(self, p1, p2):
            p0 = self.contours[-1][-1]
            for i in range(1, 5):
                t = i / 4
                self.contours[-1].append(((1 - t) ** 2 * p0[0] + 2 * t * (1 - t) * p1[0] + t * t * p2[0],
                                          (1 - t) ** 2 * p0[1] + 2 * t * (1 - t) * p1[1] + t * t * p2[1]))

        def _curveToOne(self, p1, p2, p3):
            raise ValueError("cubic curve in a TrueType font")

        def _closePath(self):
            pass

    out = bytearray()
    varint(font["head"].unitsPerEm, out)
    varint(len(CHARACTERS), out)
    for character in CHARACTERS:
        name = cmap[ord(character)]
        pen = Flattener()
        glyph_set[name].draw(pen)
        contours = [[(round(x), round(y)) for x, y in contour] for contour in pen.contours]
        varint(ord(character), out)
        varint(font["hmtx"][name][0], out)
        body = bytearray()
        points(contours, body)
        out += body
    return out


def main():
    for scale in ("110m", "50m"):
        out = bytearray()
        points(land_rings(os.path.join(HERE, f"land-{scale}.json")), out)
        open(os.path.join(HERE, f"land-{scale}.bin"), "wb").write(out)
    open(os.path.join(HERE, "glyphs.bin"), "wb").write(glyphs(sys.argv[1] if len(sys.argv) > 1 else FONT))


if __name__ == "__main__":
    main()
