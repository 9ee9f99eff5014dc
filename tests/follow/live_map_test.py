#!/usr/bin/env python3
"""Pelvorn --follow --map OUT: 50 new DX grids from WSJT-X datagrams rewrite OUT while a reader opens it in a tight
loop; every read is a whole PNG or SVG, and the last is --map's map of the last pair. Usage: live_map_test.py PELVORN"""
import hashlib, os, socket, subprocess, sys, tempfile, threading
import xml.etree.ElementTree as ET
from send_datagrams import send

program, work, failures = sys.argv[1], tempfile.mkdtemp(), []
env = dict(os.environ, LANG="de_DE.UTF-8")
GRIDS = [f"{chr(65 + i % 18)}{chr(65 + i * 7 % 18)}{i % 10}{i * 3 % 10}" for i in range(50)]


def whole_png(data):  # the chunks, by their lengths, up to IEND at the very end
    at = 8
    while data[:8] == b"\x89PNG\r\n\x1a\n" and at + 12 <= len(data):
        at, kind = at + 12 + int.from_bytes(data[at:at + 4], "big"), data[at + 4:at + 8]
        if kind == b"IEND":
            return at == len(data)
    return False


def whole_svg(data):
    try:
        return ET.fromstring(data).tag == "{http://www.w3.org/2000/svg}svg"
    except ET.ParseError:
        return False


for ending, whole in (("png", whole_png), ("svg", whole_svg)):
    out, last = os.path.join(work, "live." + ending), os.path.join(work, "last." + ending)
    with socket.socket(socket.AF_INET, socket.SOCK_DGRAM) as probe:
        port = probe.bind(("127.0.0.1", 0)) or probe.getsockname()[1]
    follower = subprocess.Popen([program, "--follow", f"127.0.0.1:{port}", "--map", out], env=env, text=True,
                                stdout=subprocess.PIPE, stderr=subprocess.PIPE)
    if "Warte auf WSJT-X" not in follower.stderr.readline():
        sys.exit(f"FAIL - {ending}: the follower does not listen")
    seen, stop = set(), threading.Event()

    def reader():
        while not stop.is_set():
            try:
                data = open(out, "rb").read()
            except FileNotFoundError:
                continue
            seen.add(hashlib.sha256(data).digest())
            whole(data) or failures.append(f"{ending}: a partial map of {len(data)} bytes")

    thread = threading.Thread(target=reader)
    thread.start()
    send(port, [f"STATUS:K{i}AB:{grid}" for i, grid in enumerate(GRIDS)])
    lines = [follower.stdout.readline() for _ in GRIDS]  # each after its map is written
    stop.set(), thread.join(), follower.terminate(), follower.wait(10)
    subprocess.run([program, "--map", last, f"L;JO62MM;{GRIDS[-1]}MM"], env=env, check=True)
    if open(out, "rb").read() != open(last, "rb").read() or len(seen) < 5:
        failures.append(f"{ending}: not --map's map of the last pair, or {len(seen)} maps seen")
    print(f"{ending}: {len(seen)} maps read whole")
print(*failures[:5], sep="\n")
sys.exit(1 if failures else 0)
