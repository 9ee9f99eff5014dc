#!/usr/bin/env python3
"""Pelvorn --follow on sockets. sockets: a unicast datagram to a group's port is ignored; SIGTERM, SIGHUP and SIGINT
while output waits for a full pipe end it with status 0 and its count. interfaces: the group is joined on both
interfaces of a network namespace of its own (root; 77, skipped, without). Usage: PROGRAM sockets|interfaces"""
import fcntl, os, shutil, signal, socket, subprocess, sys, tempfile, time
from send_datagrams import send

program, mode = sys.argv[1:3]
err, out, KM38, JO20, GROUP = tempfile.mktemp(), tempfile.mktemp(), 'S:K1ABC:KM38', 'S:K1ABC:JO20', '239.255.42.1'
started = []


def until(condition, what):
    deadline = time.monotonic() + 10
    while not condition():
        time.monotonic() < deadline or [p.kill() for p in started] or sys.exit(f'FAIL - {what}')
        time.sleep(0.02)


def follow(address, stdout, *before):
    process = subprocess.Popen([*before, program, '--follow', address], stdout=stdout, stderr=open(err, 'w'),
                               env=dict(os.environ, LANG='de_DE.UTF-8'))
    started.append(process)
    until(lambda: 'Warte auf' in open(err).read(), 'Pelvorn does not listen')
    return process


def taken(port, *netns):  # the socket on PORT has taken every datagram
    table = subprocess.run([*netns, 'cat', '/proc/net/udp'], capture_output=True, text=True).stdout
    return f':{port:04X} 00000000:0000 07 00000000:00000000 ' in table


def ended(process):  # its status and the km of its lines
    process.terminate()
    return process.wait(10), sorted(line.split(' ')[0] for line in open(out).read().splitlines())


if mode == 'sockets':
    with socket.socket(socket.AF_INET, socket.SOCK_DGRAM) as probe:
        port = probe.bind(('127.0.0.1', 0)) or probe.getsockname()[1]
    follower = follow(f'{GROUP}:{port}', open(out, 'w'))
    send(port, [JO20]), send(port, [KM38], GROUP, '127.0.0.1')  # to the port, then to the group
    until(lambda: open(out).read(), 'no line for the group')
    result = ended(follower)
    result == (0, ['1892,585']) or sys.exit(f'FAIL - multicast: {result} (only 1892,585 for the group)')
    for stop in (signal.SIGTERM, signal.SIGHUP, signal.SIGINT):
        read_end, write_end = os.pipe()
        fcntl.fcntl(write_end, fcntl.F_SETPIPE_SZ, 4096)
        os.write(write_end, b'x' * 4096)
        follower = follow(f'127.0.0.1:{port}', write_end)
        send(port, ['GARBAGE', KM38])
        until(lambda: taken(port), 'the datagrams are not taken')
        follower.send_signal(stop)
        until(lambda: follower.poll() is not None, f'{stop.name} with a full pipe: still running')
        if follower.returncode != 0 or 'Pelvorn: 1 unlesbare Datagramme übersprungen' not in open(err).read():
            sys.exit(f'FAIL - {stop.name} with a full pipe: status {follower.returncode}:\n{open(err).read()}')
        os.close(read_end), os.close(write_end)
else:
    ns = f'pelvorn-{os.getpid()}'
    def ip(*words): return subprocess.run(['ip', '-n', ns, *words], capture_output=True).returncode == 0
    if not (shutil.which('ip') and subprocess.run(['ip', 'netns', 'add', ns]).returncode == 0):
        sys.exit(print('SKIP - no network namespace (root, iproute2): the group on every interface untested') or 77)
    try:  # a1 (10.231.1.1, the default route) and a2 (10.231.2.1), each a veth to b1 or b2 beside it
        for n in (1, 2):
            ip('link', 'add', f'a{n}', 'type', 'veth', 'peer', 'name', f'b{n}'), ip('link', 'set', f'b{n}', 'up')
            ip('addr', 'add', f'10.231.{n}.1/24', 'dev', f'a{n}'), ip('link', 'set', f'a{n}', 'up')
        ip('link', 'set', 'lo', 'up'), ip('route', 'add', 'default', 'via', '10.231.1.2')
        in_ns = ('ip', 'netns', 'exec', ns)
        follower = follow(f'{GROUP}:2237', open(out, 'w'), *in_ns)
        for n, word in ((2, JO20), (1, KM38)):  # sent out of aN and looped back: taken where the group is joined
            subprocess.run([*in_ns, sys.executable, '-c', 'from send_datagrams import send; '
                            f'send(2237, ["{word}"], "{GROUP}", "10.231.{n}.1")'], cwd=sys.path[0], check=True)
        until(lambda: '1892,585' in open(out).read() and taken(2237, *in_ns), 'no line through a1')
        result = ended(follower)
        result[1] == ['1892,585', '595,797'] or sys.exit(f'FAIL - through a1 and a2: {result} (1892,585 and 595,797)')
    finally:
        subprocess.run(['ip', 'netns', 'del', ns])
print('PASS')
