#!/usr/bin/env python3
"""Pelvorn --adif LOG --kml OUT: the placemarks of real and generated logs, every line point against the
great circle computed here on the program's sphere, the date line, and ogrinfo. Usage: kml_test.py PELVORN"""
import hashlib, math, os, random, re, subprocess, sys, tempfile
import xml.etree.ElementTree as ET

PELVORN, KML = sys.argv[1], "{http://www.opengis.net/kml/2.2}"
R = 6367.65399  # km: the program's sphere
LOGS = os.path.join(os.path.dirname(os.path.abspath(__file__)), "adif")
work, failures = tempfile.mkdtemp(), []


def check(condition, message):
    if not condition:
        failures.append(message)
        print("FAIL:", message)


def centre(loc):
    lon = -180 + 20 * (ord(loc[0]) - 65) + 2 * int(loc[2]) + 5 / 60 * (ord(loc[4]) - 65 + 0.5)
    return -90 + 10 * (ord(loc[1]) - 65) + int(loc[3]) + 2.5 / 60 * (ord(loc[5]) - 65 + 0.5), lon


def vec(lat, lon):
    la, lo = math.radians(lat), math.radians(lon)
    return math.cos(la) * math.cos(lo), math.cos(la) * math.sin(lo), math.sin(la)


def arc(a, b):  # km between unit vectors
    return R * math.atan2(math.dist(a, b) * math.sqrt(1 - math.dist(a, b) ** 2 / 4), 1 - math.dist(a, b) ** 2 / 2)


def run(log, *options):
    out = os.path.join(work, os.path.basename(log) + ".kml")
    result = subprocess.run([PELVORN, "--adif", log, "--kml", out, *options], capture_output=True)
    return result.returncode, out


field = lambda name, value: b"<%s:%d>%s" % (name, len(value), value)


# A generated log: two own positions, in turn; long paths; QSOs without position; pairs across the date line.
random.seed(25)
rand_loc = lambda: "".join(random.choice(s) for s in ("ABCDEFGHIJKLMNOPQR",) * 2 + ("0123456789",) * 2 + ("ABCDEFGHIJKLMNOPQRSTUVWX",) * 2)
qsos = [("JO62MM" if i % 3 else "FN31PR", rand_loc(), "L" if i % 7 == 0 else "", b"C%d" % i) for i in range(300)]
qsos += [("JO62MM", g, "", c) for g, c in (("AP43DT", b"KL7"), ("AO11QV", b"KL7ADK"), ("AD57XL", b"ZL9"))]
qsos += [("JO62MM", "", "", b"DL\xe9<&"), ("JO62MM", "KM38MM", "", b"DL\xe9<&")]  # no position; Latin-1 and markup
with open(os.path.join(work, "generated.adi"), "wb") as log:
    log.write(b"<EOH>\n" + b"".join(field(b"MY_GRIDSQUARE", o.encode()) + field(b"GRIDSQUARE", g.encode())
                                   + field(b"ANT_PATH", p.encode()) + field(b"CALL", c) + b"<EOR>\n" for o, g, p, c in qsos))
expected = {q[3].decode("latin-1"): q for q in qsos if q[1]}

for log, placemarks, status in (("lotw-excerpt.adi", 2, 0), ("n3fjp-excerpt.adi", 2, 0), ("skcc-logger.adi", 0, 1),
                                (os.path.join(work, "generated.adi"), 2 + len(qsos) - 1, 1)):
    code, out = run(os.path.join(LOGS, log), "--own", "JO62MM")
    check(code == status, f"{log}: status {code}")
    marks = ET.parse(out).getroot().findall(f".//{KML}Placemark")
    check(len(marks) == placemarks, f"{log}: {len(marks)} placemarks")
    for driver in ({}, {"GDAL_SKIP": "LIBKML"}):
        info = subprocess.run(["ogrinfo", "-ro", "-al", "-so", out], capture_output=True, text=True, env=os.environ | driver).stdout
        check(f"Feature Count: {placemarks}" in info or not placemarks and "successful" in info, f"{log}: ogrinfo {driver}: {info[:300]}")

crossed = set()
for mark in marks:
    call, lines = mark.find(f"{KML}name").text, mark.findall(f".//{KML}LineString")
    if not lines:  # an own station; a QSO's name must be its call
        continue
    own, grid, path, _ = expected[call]
    a, b = vec(*centre(own)), vec(*centre(grid))
    normal = [a[1] * b[2] - a[2] * b[1], a[2] * b[0] - a[0] * b[2], a[0] * b[1] - a[1] * b[0]]
    normal = [n / math.hypot(*normal) for n in normal]
    km = arc(a, b) if path != "L" else 2 * math.pi * R - arc(a, b)
    pieces = [[tuple(map(float, p.split(","))) for p in line.find(f"{KML}coordinates").text.split()] for line in lines]
    points = [vec(lat, lon) for piece in pieces for lon, lat in piece]
    check(arc(points[0], a) < 0.001 and arc(points[-1], b) < 0.001, f"{call}: ends")
    check(max(abs(R * math.asin(sum(n * p for n, p in zip(normal, q)))) for q in points) < 1, f"{call}: off the circle")
    steps = [arc(p, q) for p, q in zip(points, points[1:])]
    check(max(steps) <= 100 and abs(sum(steps) - km) < 1, f"{call}: steps {max(steps)}, {sum(steps)} km of {km}")
    check(all(abs(p[0] - q[0]) < 180 for piece in pieces for p, q in zip(piece, piece[1:])), f"{call}: long way round")
    check(all(abs(p[-1][0]) == 180 for p in pieces[:-1]), f"{call}: cut off the date line")
    shown = re.search(r"(?:Entfernung|\(langer Weg\)): ([\d,]+) km", mark.find(f"{KML}description").text)
    check(shown and abs(float(shown[1].replace(",", ".")) - km) < 0.01, f"{call}: description")
    crossed |= {call} if len(pieces) > 1 else set()
check({"KL7", "KL7ADK", "ZL9"} <= crossed, f"date line not cut: {crossed}")

with open(os.path.join(work, "dl.adi"), "wb") as log:  # tests/wine/console_test.sh pins the same digest
    log.write(b"<EOH>\r\n<CALL:3>KL7<MY_GRIDSQUARE:6>JO62MM<GRIDSQUARE:6>AP43DT<EOR>\r\n<CALL:4>DL\xe9<<GRIDSQUARE:6>KM38MM"
              b"<ANT_PATH:1>L<QSO_DATE:8>20260101<BAND:3>20m<MODE:3>FT8<EOR>\r\n")
digest = hashlib.sha256(open(run(os.path.join(work, "dl.adi"), "--own", "JO62mm")[1], "rb").read()).hexdigest()
check(digest == "4c14170dded5179a0d877095199ebffb95ea60cccb850acaa0a244aba7bf7880", f"the pinned KML: {digest}")
with open(os.path.join(work, "broken.adi"), "wb") as log:
    log.write(b"<EOH><CALL:3>W1AW<GRIDSQUARE:40>FN31<EOR>")
open(os.path.join(work, "broken.adi.kml"), "w").write("old")
check(run(os.path.join(work, "broken.adi"))[0] == 2 and open(os.path.join(work, "broken.adi.kml")).read() == "old",
      "a broken log changes OUT")
check(run(os.path.join(LOGS, "lotw-excerpt.adi"), "--tsv")[0] == 2, "--kml --tsv not refused")
sys.exit(1 if failures else 0)
