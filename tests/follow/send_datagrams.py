#!/usr/bin/env python3
"""Sends WSJT-X datagrams to 127.0.0.1:PORT, one per argument:
STATUS:DXCALL:DXGRID (DE grid JO62MM, id WSJT-X), GARBAGE (no magic) or
HUGE (a Status whose DX grid claims 4 GiB less one)."""
import socket
import struct
import sys


def text(value):
    data = value.encode()
    return struct.pack('>I', len(data)) + data


def status(call, grid, de_grid='JO62MM', tail=None):
    head = struct.pack('>III', 0xadbccbda, 2, 1) + text('WSJT-X')
    body = (struct.pack('>Q', 144174000) + text('FT8') + text(call) + text('-10') + text('FT8') + b'\0\0\0' +
            struct.pack('>II', 1500, 1500) + text('DL1ABC') + text(de_grid))
    return head + body + (tail if tail is not None else text(grid))


def datagram(word):
    if word == 'GARBAGE':
        return b'\x01\x02 not a datagram'
    if word == 'HUGE':
        return status('K1ABC', '', tail=struct.pack('>I', 0xfffffffe) + b'KM38')
    _, call, grid = word.split(':')
    return status(call, grid)


sender = socket.socket(socket.AF_INET, socket.SOCK_DGRAM)
for word in sys.argv[2:]:
    sender.sendto(datagram(word), ('127.0.0.1', int(sys.argv[1])))
