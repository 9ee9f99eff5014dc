#!/usr/bin/env python3
"""Sends WSJT-X datagrams to 127.0.0.1:PORT, one per argument:
STATUS:DXCALL:DXGRID (DE grid JO62MM, id WSJT-X) or GARBAGE (no magic)."""
import socket
import struct
import sys


def text(value):
    return struct.pack('>I', len(value.encode())) + value.encode()


def status(call, dx_grid):
    return (struct.pack('>III', 0xadbccbda, 2, 1) + text('WSJT-X') + struct.pack('>Q', 144174000) + text('FT8') +
            text(call) + text('-10') + text('FT8') + b'\0\0\0' + struct.pack('>II', 1500, 1500) + text('DL1ABC') +
            text('JO62MM') + text(dx_grid))


def send(port, words, host='127.0.0.1', via=None):
    sender = socket.socket(socket.AF_INET, socket.SOCK_DGRAM)
    if via:
        sender.setsockopt(socket.IPPROTO_IP, socket.IP_MULTICAST_IF, socket.inet_aton(via))
    for word in words:
        datagram = b'\x01\x02 not a datagram' if word == 'GARBAGE' else status(*word.split(':')[1:])
        sender.sendto(datagram, (host, int(port)))


if __name__ == '__main__':
    send(sys.argv[1], sys.argv[2:])
