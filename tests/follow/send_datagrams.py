#!/usr/bin/env python3
"""Sends datagrams to [HOST:]PORT (HOST 127.0.0.1), one per argument: WSJT-X's STATUS:DXCALL:DXGRID (DE grid JO62MM, id
WSJT-X), N1MM's N1MM:ROOT:CALL:GRID[:STATION] (ROOT lookupinfo, contactinfo, ...), GARBAGE or HUGE (65507 bytes)."""
import socket
import struct
import sys


def text(value):
    return struct.pack('>I', len(value.encode())) + value.encode()


def status(call, dx_grid):
    return (struct.pack('>III', 0xadbccbda, 2, 1) + text('WSJT-X') + struct.pack('>Q', 144174000) + text('FT8') +
            text(call) + text('-10') + text('FT8') + b'\0\0\0' + struct.pack('>II', 1500, 1500) + text('DL1ABC') +
            text('JO62MM') + text(dx_grid))


def n1mm(root, call, grid, station='CONTEST-PC'):  # N1MM Logger+'s documented fields, some of them
    return (f'<?xml version="1.0" encoding="utf-8"?>\r\n<{root}>\r\n  <app>N1MM</app>\r\n  <contestname>DX</contestname>'
            f'\r\n  <mycall>DL1ABC</mycall>\r\n  <band>14</band>\r\n  <rxfreq>1407400</rxfreq>\r\n  <mode>CW</mode>'
            f'\r\n  <call>{call}</call>\r\n  <gridsquare>{grid}</gridsquare>\r\n  <StationName>{station}</StationName>'
            f'\r\n  <ID>f9ffac4fcd3e479ca86e137df1338531</ID>\r\n</{root}>').encode()


def datagram(word):
    kind, *fields = word.split(':')
    fixed = {'GARBAGE': b'\x01\x02 not a datagram', 'HUGE': b'\x81' * 65507}
    return fixed.get(kind) or (n1mm if kind == 'N1MM' else status)(*fields)


def send(port, words, host='127.0.0.1', via=None):
    sender = socket.socket(socket.AF_INET, socket.SOCK_DGRAM)
    sender.setsockopt(socket.SOL_SOCKET, socket.SO_BROADCAST, 1)
    if via:
        sender.setsockopt(socket.IPPROTO_IP, socket.IP_MULTICAST_IF, socket.inet_aton(via))
    for word in words:
        sender.sendto(datagram(word), (host, int(port)))


if __name__ == '__main__':
    *host, port = sys.argv[1].split(':')
    send(port, sys.argv[2:], *host)
