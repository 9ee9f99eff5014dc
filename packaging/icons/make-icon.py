#!/usr/bin/env python3
"""Draws the Pelvorn icon: a compass dial with a four-point star and a red
bearing arrow. One list of shapes gives both the 32x32 16-colour XPM (sampled
at 8x8 points per pixel, each pixel taking the colour that covers most of it) and the
scalable SVG, so the two stay the same design.

Usage: make-icon.py OUTPUT_DIR   (writes pelvorn.xpm and pelvorn.svg)
"""
import math
import sys
from pathlib import Path

SIZE = 32
CENTRE = 16.0
BEARING = 45.0  # degrees clockwise from north

PALETTE = {  # XPM key: colour; at most 15 plus "None"
    "#": "#14264A",  # outline navy
    "b": "#2C5E9E",  # dial blue
    "s": "#C9CED8",  # bezel silver
    "w": "#FFFFFF",  # star light half
    "l": "#AEB8C8",  # star shaded half
    "r": "#D8281C",  # arrow red
    "R": "#8C1710",  # arrow dark red
    "y": "#F2C230",  # hub gold
    "o": "#A9791A",  # hub rim
}


def rotate(points, degrees):
    """Turns points given for a north-pointing shape clockwise about the centre."""
    a = math.radians(degrees)
    c, s = math.cos(a), math.sin(a)
    out = []
    for x, y in points:
        dx, dy = x - CENTRE, y - CENTRE
        out.append((CENTRE + dx * c - dy * s, CENTRE + dx * s + dy * c))
    return out


def star_points():
    """Four points, each split into a light and a shaded half."""
    shapes = []
    tip, waist = 11.8, 3.3
    for k in range(4):
        left = [(CENTRE, CENTRE - tip), (CENTRE - waist, CENTRE - waist), (CENTRE, CENTRE)]
        right = [(CENTRE, CENTRE - tip), (CENTRE + waist, CENTRE - waist), (CENTRE, CENTRE)]
        shapes.append(("poly", rotate(left, 90 * k), "w"))
        shapes.append(("poly", rotate(right, 90 * k), "l"))
    return shapes


def ticks():
    """Marks on the bezel at the four cardinal points."""
    quad = [(CENTRE - 1.0, CENTRE - 15.0), (CENTRE + 1.0, CENTRE - 15.0),
            (CENTRE + 1.0, CENTRE - 12.0), (CENTRE - 1.0, CENTRE - 12.0)]
    return [("poly", rotate(quad, 90 * k), "#") for k in range(4)]


def arrow():
    """Bearing arrow from the hub out to the bezel, a light and a dark half."""
    left = [(CENTRE, CENTRE), (CENTRE - 1.8, CENTRE), (CENTRE - 1.8, CENTRE - 6.5),
            (CENTRE - 4.6, CENTRE - 6.5), (CENTRE, CENTRE - 14.0)]
    right = [(x if x == CENTRE else 2 * CENTRE - x, y) for x, y in left]
    return [("poly", rotate(left, BEARING), "R"), ("poly", rotate(right, BEARING), "r")]


SHAPES = (
    [("circle", (CENTRE, CENTRE, 15.6), "#"),
     ("circle", (CENTRE, CENTRE, 14.6), "s"),
     ("circle", (CENTRE, CENTRE, 12.4), "#"),
     ("circle", (CENTRE, CENTRE, 11.5), "b")]
    + ticks() + star_points() + arrow()
    + [("circle", (CENTRE, CENTRE, 2.4), "o"),
       ("circle", (CENTRE, CENTRE, 1.45), "y")]
)


def inside(shape, x, y):
    kind, geo, _ = shape
    if kind == "circle":
        cx, cy, r = geo
        return (x - cx) ** 2 + (y - cy) ** 2 <= r * r
    hit = False
    n = len(geo)
    for i in range(n):
        (x1, y1), (x2, y2) = geo[i], geo[(i + 1) % n]
        if (y1 > y) != (y2 > y) and x < x1 + (y - y1) * (x2 - x1) / (y2 - y1):
            hit = not hit
    return hit


def pixel(px, py, n=8):
    """Palette key of one pixel: the colour that covers most of it."""
    votes = {}
    for j in range(n):
        for i in range(n):
            x, y = px + (i + 0.5) / n, py + (j + 0.5) / n
            key = next((s[2] for s in reversed(SHAPES) if inside(s, x, y)), " ")
            votes[key] = votes.get(key, 0) + 1
    return max(votes, key=votes.get)


def xpm():
    rows = ["".join(pixel(x, y) for x in range(SIZE)) for y in range(SIZE)]
    lines = ["/* XPM */", "static const char *pelvorn_xpm[] = {",
             f'"{SIZE} {SIZE} {len(PALETTE) + 1} 1",', '"  c None",']
    lines += [f'"{k} c {v}",' for k, v in PALETTE.items()]
    lines += [f'"{row}",' for row in rows[:-1]] + [f'"{rows[-1]}"', "};"]
    return "\n".join(lines) + "\n"


def svg():
    out = ['<?xml version="1.0" encoding="UTF-8"?>',
           '<svg xmlns="http://www.w3.org/2000/svg" width="32" height="32" viewBox="0 0 32 32" stroke="none">']
    for kind, geo, key in SHAPES:
        if kind == "circle":
            out.append(f'  <circle cx="{geo[0]:g}" cy="{geo[1]:g}" r="{geo[2]:g}" fill="{PALETTE[key]}"/>')
        else:
            pts = " ".join(f"{x:.2f},{y:.2f}" for x, y in geo)
            out.append(f'  <polygon points="{pts}" fill="{PALETTE[key]}"/>')
    out.append("</svg>")
    return "\n".join(out) + "\n"


if __name__ == "__main__":
    target = Path(sys.argv[1] if len(sys.argv) > 1 else ".")
    (target / "pelvorn.xpm").write_text(xpm())
    (target / "pelvorn.svg").write_text(svg())
