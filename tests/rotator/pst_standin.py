#!/usr/bin/env python3
"""PstRotator over UDP, as far as the documentation tells it, turning at a
finite speed. serve PORT MODE LOG [AZIMUTH]: takes the datagrams on
127.0.0.1:PORT (each logged to LOG) and answers "AZ?" on PORT + 1 of the
sender. MODE: answer; garbage (answers no "AZ:"); flood (10000 datagrams
of garbage per question); otherport (answers on PORT + 2); silent.
ask PORT: prints the azimuth the stand-in on PORT reports."""
import re
import socket
import sys
import time

SPEED = 6.0  # degrees per second, as Hamlib's dummy


def ask(port):
    s = socket.socket(socket.AF_INET, socket.SOCK_DGRAM)
    s.bind(("127.0.0.1", port + 1))
    s.settimeout(3)
    s.sendto(b"<PST>AZ?</PST>", ("127.0.0.1", port))
    print(s.recv(100).decode().strip())


def serve(port, mode, log, azimuth):
    s = socket.socket(socket.AF_INET, socket.SOCK_DGRAM)
    s.bind(("127.0.0.1", port))
    start, target, since = azimuth, azimuth, time.monotonic()

    def now():
        moved = SPEED * (time.monotonic() - since)
        return target if abs(target - start) <= moved else start + moved * (1 if target > start else -1)

    with open(log, "a", buffering=1) as written:
        while True:
            data, (host, sender) = s.recvfrom(65536)
            text = data.decode(errors="replace")
            written.write(text + "\n")
            turn = re.fullmatch(r"<PST><AZIMUTH>(-?[0-9.]+)</AZIMUTH></PST>", text)
            if turn or text in ("<PST><STOP>1</STOP></PST>", "<PST><PARK>1</PARK></PST>"):
                start, since = now(), time.monotonic()
                target = float(turn.group(1)) if turn else start if "STOP" in text else 0.0
            elif text == "<PST>AZ?</PST>" and mode != "silent":
                to = (host, port + (2 if mode == "otherport" else 1))
                if mode == "flood":
                    for _ in range(10000):
                        s.sendto(b"AZ:??\r", to)
                s.sendto(b"hello\r" if mode in ("garbage", "flood") else b"AZ:%d\r" % round(now()), to)


if __name__ == "__main__":
    if sys.argv[1] == "ask":
        ask(int(sys.argv[2]))
    else:
        serve(int(sys.argv[2]), sys.argv[3], sys.argv[4], float(sys.argv[5]) if len(sys.argv) > 5 else 0.0)
