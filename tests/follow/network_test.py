#!/usr/bin/env python3
"""Pelvorn --follow on real sockets. `sockets`: in multicast mode a unicast
datagram to the port is ignored; SIGTERM, SIGHUP and SIGINT while standard
output is a full pipe end it with status 0 and its count. `interfaces`: the
group is joined on both interfaces of a network namespace of the test's own
(root; status 77, skipped, where namespaces cannot be made).
Usage: network_test.py PROGRAM sockets|interfaces"""
import os, shutil, signal, socket, subprocess, sys, tempfile, time
from send_datagrams import send

program, mode = sys.argv[1:3]
err_file = tempfile.mktemp()
KM38, JO20 = 'STATUS:K1ABC:KM38', 'STATUS:K1ABC:JO20'


def until(condition, what):
    deadline = time.monotonic() + 10
    while not condition():
        if time.monotonic() > deadline:
            sys.exit(f'FAIL - {what}')
        time.sleep(0.02)


def follow(address, stdout, *before):
    with open(err_file, 'w') as err:
        process = subprocess.Popen([*before, program, '--follow', address], stdout=stdout, stderr=err,
                                   env=dict(os.environ, LANG='de_DE.UTF-8'))
    until(lambda: 'Warte auf' in open(err_file).read(), 'Pelvorn does not listen')
    return process


def queue_empty(port, netns=()):  # the socket on PORT has taken every datagram
    table = subprocess.run([*netns, 'cat', '/proc/net/udp'], capture_output=True, text=True).stdout
    return any(f':{port:04X} ' in line and ':00000000 ' in line for line in table.splitlines())


def free_port():
    with socket.socket(socket.AF_INET, socket.SOCK_DGRAM) as probe:
        return probe.bind(('127.0.0.1', 0)) or probe.getsockname()[1]


def lines(path):
    return [line.split(' ')[0] for line in open(path).read().splitlines()]


if mode == 'sockets':
    port = free_port()
    with open(tempfile.mktemp(), 'w+') as out:
        follower = follow(f'239.255.42.1:{port}', out)
        send(port, [JO20])  # unicast to the port
        send(port, [KM38], '239.255.42.1', '127.0.0.1')
        until(lambda: lines(out.name), 'no line for the group')
        follower.terminate()
        if lines(out.name) != ['1892,585'] or follower.wait(10) != 0:
            sys.exit(f'FAIL - multicast: lines {lines(out.name)} (only 1892,585 for the group)')
    for stop in (signal.SIGTERM, signal.SIGHUP, signal.SIGINT):
        read_end, write_end = os.pipe()
        os.set_blocking(write_end, False)
        try:
            while True:
                os.write(write_end, b'x' * 4096)
        except BlockingIOError:
            os.set_blocking(write_end, True)
        follower = follow(f'127.0.0.1:{port}', write_end)
        send(port, ['GARBAGE', KM38])
        until(lambda: queue_empty(port), 'the datagrams are not taken')
        follower.send_signal(stop)
        try:
            status = follower.wait(10)
        except subprocess.TimeoutExpired:
            follower.kill()
            status = 'none (killed after 10 s)'
        report = open(err_file).read()
        if status != 0 or 'Pelvorn: 1 unlesbare Datagramme übersprungen' not in report:
            sys.exit(f'FAIL - {stop.name} with a full pipe: status {status}, standard error:\n{report}')
        os.close(read_end), os.close(write_end)
else:
    ns, sender = f'pelvorn-{os.getpid()}', f'pelvorn-{os.getpid()}-sender'
    def ip(*words): return subprocess.run(['ip', *words], capture_output=True).returncode == 0
    if not (shutil.which('ip') and ip('netns', 'add', ns) and ip('netns', 'add', sender)):
        print('SKIP - no network namespaces here (root and iproute2 needed): the group on every interface is untested')
        shutil.which('ip') and ip('netns', 'del', ns)
        sys.exit(77)
    try:
        for n in (1, 2):  # a1 in the follower's namespace, b1 in the sender's: 10.231.1.1 and .2
            ip('link', 'add', f'a{n}', 'netns', ns, 'type', 'veth', 'peer', 'name', f'b{n}', 'netns', sender)
            for space, side, host in ((ns, 'a', 1), (sender, 'b', 2)):
                ip('-n', space, 'addr', 'add', f'10.231.{n}.{host}/24', 'dev', f'{side}{n}')
                ip('-n', space, 'link', 'set', f'{side}{n}', 'up')
        ip('-n', ns, 'link', 'set', 'lo', 'up')
        ip('-n', ns, 'route', 'add', 'default', 'via', '10.231.1.2')
        in_ns = ('ip', 'netns', 'exec', ns)
        with open(tempfile.mktemp(), 'w+') as out:
            follower = follow('239.255.42.1:2237', out, *in_ns)
            for n, word in ((2, JO20), (1, KM38)):
                subprocess.run(['ip', 'netns', 'exec', sender, sys.executable, '-c', 'import sys; from send_datagrams import'
                                f' send; send(2237, ["{word}"], "239.255.42.1", "10.231.{n}.2")'], check=True,
                               cwd=os.path.dirname(os.path.abspath(__file__)))
            until(lambda: '1892,585' in lines(out.name) and queue_empty(2237, in_ns), 'no line through a1')
            follower.terminate()
            follower.wait(10)
            if sorted(lines(out.name)) != ['1892,585', '595,797']:
                sys.exit(f'FAIL - the lines through a1 and a2: {lines(out.name)} (1892,585 and 595,797)')
    finally:
        ip('netns', 'del', ns), ip('netns', 'del', sender)
print('PASS')
