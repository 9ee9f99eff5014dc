#!/bin/sh
# Stands in for rotator_stub, which the Windows build lacks, in
# tests/rotator/rotator_lib.sh: "free-port" prints a free TCP port of 127.0.0.1.
exec python3 -c 'import socket; s = socket.socket(); s.bind(("127.0.0.1", 0)); print(s.getsockname()[1])'
