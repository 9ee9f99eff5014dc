#!/usr/bin/env python3
"""Pelvorn --map as a user runs it: the SVG's geometry against GeographicLib's
azimuthal equidistant projection (GeodesicProj on the program's sphere), the
SVG rendered by librsvg against the program's own PNG, and the command's
statuses. Usage: map_test.py PELVORN"""
import json
import math
import os
import random
import struct
import subprocess
import sys
import tempfile
import xml.etree.ElementTree as ET
import zlib

PELVORN = sys.argv[1]
DATA = os.path.join(os.path.dirname(os.path.abspath(__file__)), "../../src/map/data")
RADIUS_M = 6367653.99  # the program's sphere: circumference 40009.15 km
HALF_M = math.pi * RADIUS_M
SVG = "{http://www.w3.org/2000/svg}"
failures = []


def check(condition, message):
    if not condition:
        failures.append(message)
        print("FAIL:", message)


def locator_centre(locator):
    """The centre of a six-character locator, decoded here on its own."""
    lon = -180 + 20 * (ord(locator[0]) - 65) + 2 * int(locator[2]) + 5 / 60 * (ord(locator[4]) - 65 + 0.5)
    lat = -90 + 10 * (ord(locator[1]) - 65) + int(locator[3]) + 2.5 / 60 * (ord(locator[5]) - 65 + 0.5)
    return lat, lon


def oracle(centre, points):
    """GeodesicProj -z: (x, y) in metres for each (lat, lon)."""
    text = "".join(f"{lat} {lon}\n" for lat, lon in points)
    out = subprocess.run(["GeodesicProj", "-z", str(centre[0]), str(centre[1]), "-e", str(RADIUS_M), "0"],
                         input=text, capture_output=True, text=True, check=True).stdout
    return [tuple(map(float, line.split()[:2])) for line in out.splitlines()]


def topojson_vertices(name, step):
    topology = json.load(open(os.path.join(DATA, name)))
    (sx, sy), (tx, ty) = topology["transform"]["scale"], topology["transform"]["translate"]
    vertices = []
    for arc in topology["arcs"]:
        x = y = 0
        for i, (dx, dy) in enumerate(arc):
            x, y = x + dx, y + dy
            if i % step == 0:
                vertices.append((y * sy + ty, x * sx + tx))
    return vertices


def path_points(d):
    """The absolute points of the program's path data (M x y, then l dx dy..., z)."""
    points, tokens, i, relative = [], d.replace("M", " M ").replace("l", " l ").replace("z", " z ").replace("-", " -").split(), 0, False
    x = y = 0.0
    while i < len(tokens):
        token = tokens[i]
        if token in "Mlz":
            relative = token == "l"
            i += 1
            continue
        dx, dy = float(token), float(tokens[i + 1])
        x, y = (x + dx, y + dy) if relative else (dx, dy)
        points.append((x, y))
        i += 2
    return points


def read_png(path):
    data = open(path, "rb").read()
    assert data[:8] == b"\x89PNG\r\n\x1a\n", path
    i, idat = 8, b""
    while i < len(data):
        length, kind = struct.unpack(">I4s", data[i:i + 8])
        body = data[i + 8:i + 8 + length]
        if kind == b"IHDR":
            width, height, _, colour = struct.unpack(">IIBB", body[:10])
        elif kind == b"IDAT":
            idat += body
        i += 12 + length
    bpp = {2: 3, 6: 4}[colour]
    raw, stride, rows, previous = zlib.decompress(idat), width * bpp, [], bytearray(width * bpp)
    for y in range(height):
        kind, line = raw[y * (stride + 1)], bytearray(raw[y * (stride + 1) + 1:(y + 1) * (stride + 1)])
        for x in range(stride):
            a = line[x - bpp] if x >= bpp else 0
            b, c = previous[x], previous[x - bpp] if x >= bpp else 0
            if kind == 1:
                line[x] = (line[x] + a) & 255
            elif kind == 2:
                line[x] = (line[x] + b) & 255
            elif kind == 3:
                line[x] = (line[x] + (a + b) // 2) & 255
            elif kind == 4:
                p = a + b - c
                pa, pb, pc = abs(p - a), abs(p - b), abs(p - c)
                line[x] = (line[x] + (a if pa <= pb and pa <= pc else b if pb <= pc else c)) & 255
        rows.append(line)
        previous = line
    return width, height, bpp, rows


def run(*arguments, **options):
    return subprocess.run([PELVORN, *arguments], capture_output=True, **options)


# Centre, other station, command line, radius in km (None: the world).
MAPS = [
    ((52.520833, 13.041667), (38.520833, 27.041667), "L;JO62mm;KM38mm", None),
    (locator_centre("RE78MM"), locator_centre("JO62MM"), "L;RE78mm;JO62mm", None),
    ((-34.6, -58.4), (39.9, 116.4), "G;-34.6;39.9;-58.4;116.4", None),
    ((21.31, -157.86), (-33.9, 18.4), "G;21.31;-33.9;-157.86;18.4", None),
    ((35.68, 139.77), (-33.9, 151.2), "G;35.68;-33.9;139.77;151.2", None),
    ((52.520833, 13.041667), locator_centre("JO40MM"), "L;JO62mm;JO40mm", 1500),
]

with tempfile.TemporaryDirectory() as work:
    for number, (centre, dx, line, radius) in enumerate(MAPS):
        name = f"{line} {radius or 'world'}"
        svg_path = os.path.join(work, f"{number}.svg")
        extra = ["--radius", str(radius)] if radius else []
        result = run("--map", svg_path, *extra, line)
        check(result.returncode == 0, f"{name}: status {result.returncode} {result.stderr!r}")
        root = ET.parse(svg_path).getroot()
        ids = {e.get("id"): e for e in root.iter() if e.get("id")}
        edge = ids["edge"]
        cx, cy, r = (float(edge.get(k)) for k in ("cx", "cy", "r"))
        scale = r / (radius * 1000 if radius else HALF_M)
        check(len(ids["short-path"].get("d")) > 0 and len(ids["long-path"].get("d")) > 0, f"{name}: paths")

        def pixel(xy):
            return cx + xy[0] * scale, cy - xy[1] * scale

        own, other = (pixel(p) for p in oracle(centre, [centre, dx]))
        for element, expected in ((ids["own"], own), (ids["dx"], other)):
            got = float(element.get("cx")), float(element.get("cy"))
            check(math.dist(got, expected) < 0.02, f"{name}: {element.get('id')} at {got}, GeodesicProj {expected}")
        rings = [e for e in root.iter(SVG + "circle") if e.get("class") == "ring"]
        check(3 <= len(rings) <= 6, f"{name}: {len(rings)} rings")
        for ring in rings:
            check(abs(float(ring.get("r")) - float(ring.get("data-km")) * 1000 * scale) < 0.01, f"{name}: ring {ring.get('data-km')}")

        # Every vertex of Natural Earth's coast well inside the disc is a vertex of the land.
        land = path_points(ids["land"].get("d"))
        buckets = {}
        for x, y in land:
            buckets.setdefault((round(x), round(y)), []).append((x, y))
        vertices = topojson_vertices("land-50m.json" if radius else "land-110m.json", 7)
        reach = (radius * 1000 if radius else HALF_M) * 0.9
        tested = 0
        for (lat, lon), xy in zip(vertices, oracle(centre, vertices)):
            if math.hypot(*xy) > reach:
                continue
            px, py = pixel(xy)
            near = [p for kx in (-1, 0, 1) for ky in (-1, 0, 1) for p in buckets.get((round(px) + kx, round(py) + ky), [])]
            tested += 1
            if not any(math.dist(p, (px, py)) < 0.05 for p in near):
                check(False, f"{name}: coast vertex {lat:.3f} {lon:.3f} not at {px:.2f} {py:.2f}")
                break
        check(tested > 100, f"{name}: only {tested} coast vertices")

        if number == 0:
            check(os.path.getsize(svg_path) <= 250_000, f"world SVG {os.path.getsize(svg_path)} bytes")
        if number in (0, 1, 5):  # librsvg's picture of the SVG against the program's PNG
            small, png_path, rsvg_path = svg_path[:-4] + "-400.svg", svg_path[:-4] + ".png", svg_path[:-4] + "-rsvg.png"
            check(run("--map", png_path, "--size", "400", *extra, line).returncode == 0, f"{name}: PNG")
            check(run("--map", small, "--size", "400", *extra, line).returncode == 0, f"{name}: SVG 400")
            subprocess.run(["rsvg-convert", "-o", rsvg_path, small], check=True)
            w, h, bpp, ours = read_png(png_path)
            w2, h2, bpp2, theirs = read_png(rsvg_path)
            check((w, h) == (w2, h2) == (400, 400), f"{name}: sizes {w}x{h}, {w2}x{h2}")
            same = sum(1 for y in range(h) for x in range(w)
                       if max(abs(ours[y][x * bpp + c] - theirs[y][x * bpp2 + c]) for c in range(3)) <= 40)
            check(same >= 0.98 * w * h, f"{name}: only {same / (w * h):.4f} of the pixels agree with librsvg")

    # The command: a bad pair writes nothing (1), an unwritable file (2), "-" is PNG on standard output.
    out = os.path.join(work, "bad.png")
    result = run("--map", out, "L;JO62mm;XX")
    check(result.returncode == 1 and not os.path.exists(out) and b"Locator" in result.stderr, f"bad pair: {result}")
    result = run("--map", os.path.join(work, "no", "such", "dir.png"), "L;JO62mm;KM38mm")
    check(result.returncode == 2 and result.stderr, f"unwritable: {result.returncode}")
    result = run("L;JO62mm;KM38mm", "--size=200", "--map", "-")
    check(result.returncode == 0 and result.stdout[:8] == b"\x89PNG\r\n\x1a\n"
          and struct.unpack(">II", result.stdout[16:24]) == (200, 200), f"stdout: {result.returncode}")
    result = run("--map", out, "--size", "100", "L;JO62mm;KM38mm")
    check(result.returncode == 2 and not os.path.exists(out), f"size 100: {result.returncode}")

    # --- The map of a log (--adif --map) and its azimuth chart. A generated log
    # of QSOs at known places, most from JO62MM, every tenth from FN31PR (its
    # markers from FN31PR's point of view), bands by BAND or FREQ, some long
    # paths, some without position; no QSO within 0.01 degrees of a sector's edge.
    def deg_min(value, positive, negative):
        thousandths = round(abs(value) * 60000)
        return f"{positive if value >= 0 else negative}{thousandths // 60000:03d} {thousandths % 60000 // 1000:02d}.{thousandths % 1000:03d}"

    random.seed(25)
    owns = {"JO62MM": locator_centre("JO62MM"), "FN31PR": locator_centre("FN31PR")}
    candidates, records = [(random.uniform(-80, 80), random.uniform(-180, 180)) for _ in range(400)], []
    projected = {own: oracle(centre, candidates) for own, centre in owns.items()}
    qsos = [dict(own=own, lat=lat, lon=lon, x=projected[own][j][0], y=projected[own][j][1])
            for j, (lat, lon) in enumerate(candidates) for own in ["FN31PR" if j % 10 == 0 else "JO62MM"]]
    bands = {"14.074": "20m", "7.1": "40m", "144.3": "2m"}
    for i, q in enumerate(qsos):
        q["call"], q["long"] = ('A<&">B' if i == 1 else f"T{i}"), i % 17 == 3
        q["band"] = list(bands.values())[i % 3] if i % 4 else None
        azimuth = (math.degrees(math.atan2(q["x"], q["y"])) + (180 if q["long"] else 0)) % 360
        q["sector"], q["km"] = int(azimuth // 10), math.hypot(q["x"], q["y"]) / 1000
        if q["long"]:
            q["km"] = 40009.15 - q["km"]
        field = lambda name, value: f"<{name}:{len(value.encode())}>{value}"
        record = field("CALL", q["call"]) + field("MY_GRIDSQUARE", q["own"])
        if i % 25 != 7 and min(azimuth % 10, 10 - azimuth % 10) > 0.01:
            record += field("LAT", deg_min(q["lat"], "N", "S")) + field("LON", deg_min(q["lon"], "E", "W"))
        else:
            q["lat"] = None
        if q["band"]:
            record += field("FREQ", next(f for f, b in bands.items() if b == q["band"])) if i % 2 else field("BAND", q["band"].upper())
        records.append(record + (field("ANT_PATH", "L") if q["long"] else "") + "<EOR>\n")
    log = os.path.join(work, "log.adi")
    open(log, "w").write("Generated\n<EOH>\n" + "".join(records))
    placed = [q for q in qsos if q["lat"] is not None]
    away = sum(q["own"] == "FN31PR" for q in placed)
    map_svg, chart_svg = os.path.join(work, "log.svg"), os.path.join(work, "chart.svg")
    result = run("--adif", log, "--map", map_svg, "--azimuth-chart", chart_svg)
    check_result = run("--adif", log)
    check(result.returncode == 1 and result.stdout.decode().splitlines() == [
        f"JO62MM – {len(placed)} QSOs, ohne Position: {len(qsos) - len(placed)}",
        f"{away} QSOs nicht von JO62MM aus: von ihrem Standort aus eingezeichnet"], f"log map: {result}")
    check(result.stderr.decode().splitlines() == [line for line in check_result.stdout.decode().splitlines()
                                                   if "keine Position" in line], f"log map: stderr {result.stderr!r}")
    root = ET.parse(map_svg).getroot()
    edge = next(e for e in root.iter() if e.get("id") == "edge")
    cx, cy, scale = float(edge.get("cx")), float(edge.get("cy")), float(edge.get("r")) / HALF_M
    markers = [e for e in root.iter() if e.get("class") == "qso"]
    legend = {e.get("data-band"): e for e in root.iter() if e.get("class") == "legend"}
    check([m.get("data-call") for m in markers] == [q["call"] for q in placed], "log map: one marker per QSO with position")
    for m, q in zip(markers, placed):
        expected = cx + q["x"] * scale, cy - q["y"] * scale
        got = float(m.get("cx")), float(m.get("cy"))
        check(math.dist(got, expected) < 0.02, f"log map: {q['call']} from {q['own']} at {got}, GeodesicProj {expected}")
        check((m.get("data-band"), m.get("fill")) == (q["band"], legend[q["band"] or "ohne Band"].get("fill")),
              f"log map: {q['call']} coloured as its band {q['band']}")
    counts = {b or "ohne Band": sum(q["band"] == b for q in placed) for b in [*bands.values(), None]}
    check({k: int(e.get("data-count")) for k, e in legend.items()} == counts, f"log map: legend {legend.keys()}")
    sectors = {int(e.get("data-sector")) // 10: e for e in ET.parse(chart_svg).getroot().iter() if e.get("class") == "sector"}
    for k in range(36):
        inside = [q for q in placed if q["sector"] == k]
        longest = max((q["km"] for q in inside), default=0)
        check((int(sectors[k].get("data-count")), abs(int(sectors[k].get("data-km")) - longest) <= 0.6) == (len(inside), True),
              f"chart: sector {k * 10}: {sectors[k].attrib}, {len(inside)} QSOs up to {longest:.1f} km")
    # The PNG: each marker that no later one covers has its band's colour at its centre.
    small, png_path = os.path.join(work, "log-400.svg"), os.path.join(work, "log.png")
    run("--adif", log, "--map", small, "--size", "400")
    run("--adif", log, "--map", png_path, "--size", "400")
    w, h, bpp, pixels = read_png(png_path)
    dots = [(float(m.get("cx")), float(m.get("cy")), m.get("fill")) for m in ET.parse(small).getroot().iter() if m.get("class") == "qso"]
    free = [(x, y, fill) for i, (x, y, fill) in enumerate(dots)
            if math.dist((x, y), (200, 208)) > 40 and all(math.dist((x, y), d[:2]) > 5 for d in dots[i + 1:])]
    wrong = [(x, y, fill) for x, y, fill in free if bytes(pixels[int(y)][int(x) * bpp:int(x) * bpp + 3]).hex() != fill[1:]]
    check(len(free) > 100 and not wrong, f"log map PNG: {len(wrong)} of {len(free)} markers not in their colour: {wrong[:3]}")

    # The real logs: markers, QSOs without position, status.
    logs = os.path.join(os.path.dirname(os.path.abspath(__file__)), "../cli/adif")
    for name, drawn, without, status in (("lotw-excerpt", 1, 0, 0), ("n3fjp-excerpt", 1, 0, 0), ("skcc-logger", 0, 1, 1)):
        result = run("--adif", os.path.join(logs, name + ".adi"), "--map", map_svg)
        got = (result.returncode, sum(e.get("class") == "qso" for e in ET.parse(map_svg).getroot().iter()), result.stdout.decode())
        check(got == (status, drawn, f"EN34QU – {drawn} QSOs, ohne Position: {without}\n"), f"{name}: {got}")

    # A log broken after a few thousand QSOs: status 2, the check's reason, OUT as it was.
    open(log, "w").write("".join(records * 20) + "<CALL:4>W1AW")
    for out in (map_svg, png_path):
        open(out, "w").write("alt")
        result = run("--adif", log, "--map", out, "--azimuth-chart", os.path.join(work, "new.svg"))
        check((result.returncode, open(out).read(), os.path.exists(os.path.join(work, "new.svg"))) == (2, "alt", False)
              and result.stderr.decode().endswith(f"{log}:8001: <EOR> fehlt am Ende des Datensatzes; nichts geschrieben\n"),
              f"broken log: {result.returncode} {result.stderr[-200:]!r}")

    # The bytes Pelvorn.exe writes under Wine too (tests/wine/console_test.sh).
    import hashlib
    german = dict(os.environ, LANG="de_DE.UTF-8", LC_ALL="", LC_NUMERIC="")
    mixed = os.path.join(os.path.dirname(os.path.abspath(__file__)), "mixed-log.adi")
    for name, arguments, digest in (
            ("map.png", ["L;JO62mm;KM38mm"], "97112a21953bceb28a16cee8977c658e6ede18b4bb43635f4489e7380ad71ff2"),
            ("map.svg", ["L;JO62mm;KM38mm"], "f7d0c27f1d119744294560105e98cd577a0530fc04e4a26c7b90a9b2efae3ec6"),
            ("log.png", ["--adif", mixed], "674918545ec0f5c52670aa0a560d9989c45cbe011f05c26e7b1c2656555cf888"),
            ("log.svg", ["--adif", mixed], "26fc39bbcdb776ee39cd6049f7e00e6a161fe3872c1e9a078d651d974a89b0d9")):
        path = os.path.join(work, name)
        run("--map", path, "--size", "300", *arguments, env=german)
        check(hashlib.sha256(open(path, "rb").read()).hexdigest() == digest, f"{name}: not the bytes Pelvorn.exe writes")

sys.exit(1 if failures else 0)
