# Shared by the rotator's end-to-end tests ($1 the program, $2 rotator_stub):
# Hamlib's dummy rotator and the stub on 127.0.0.1, each on a free port,
# reading the dummy's azimuth, and a settings directory of the test's own.
# shellcheck shell=bash
. "$(dirname "${BASH_SOURCE[0]}")/../e2e/lib.sh"
stub=$2
[ -x "$stub" ] || { echo "FAIL - no rotator_stub at $stub"; exit 1; }
command -v rotctld >/dev/null || { echo "FAIL - rotctld is missing (Debian package libhamlib-utils)"; exit 1; }
# The settings are found through HOME: a relative XDG_CONFIG_HOME does not count.
export HOME=$work XDG_CONFIG_HOME=config

# listening PORT: something listens on 127.0.0.1:PORT, as the kernel's table
# says. No probing connection: rotctld 4.5 may reset the next connection
# when one closes right after connecting.
listening() { grep -q " 0100007F:$(printf %04X "$1") 00000000:0000 0A " /proc/net/tcp; }
# start_rotctld [CONFIG]: the dummy rotator (-C CONFIG), standing at 0;
# its port in $rot_port, its process in $rot_pid.
start_rotctld() {
  rot_port=$("$stub" free-port)
  rotctld -m 1 -T 127.0.0.1 -t "$rot_port" ${1:+-C "$1"} >/dev/null 2>&1 &
  rot_pid=$!
  wait_until 5 listening "$rot_port" || { echo "FAIL - rotctld did not start"; exit 1; }
}

# start_stub MODE: rotator_stub in MODE; port in $stub_port, the lines it
# receives in $stub_log.
start_stub() {
  stub_port=$("$stub" free-port)
  stub_log=$work/stub$stub_port.log
  : >"$stub_log"
  "$stub" serve "$stub_port" "$1" "$stub_log" &
  wait_until 5 listening "$stub_port" || { echo "FAIL - rotator_stub did not start"; exit 1; }
}

# rot_azimuth PORT: the azimuth the rotator behind PORT reports ("p").
rot_azimuth() {
  local az=
  exec 4<>"/dev/tcp/127.0.0.1/$1" && echo p >&4 && read -r -t 3 az <&4
  exec 4>&-
  echo "${az%$'\r'}"
}
# stands_at PORT DEGREES: the rotator behind PORT reports ("p") an azimuth
# within half a degree of DEGREES.
stands_at() {
  awk -v a="$(rot_azimuth "$1")" -v t="$2" 'BEGIN { d = a - t; exit !(a != "" && d <= 0.5 && d >= -0.5) }'
}

# start_pst MODE [AZIMUTH]: the PstRotator stand-in; its address in $pst,
# the datagrams it receives in $pst_log.
standin=$(dirname "${BASH_SOURCE[0]}")/pst_standin.py
udp_bound() { grep -q " 0100007F:$(printf %04X "$1") " /proc/net/udp; }
start_pst() {
  pst_port=$("$stub" free-port)
  pst_log=$work/pst$pst_port.log pst=pst:127.0.0.1:$pst_port
  python3 "$standin" serve "$pst_port" "$1" "$pst_log" "${2:-0}" &
  wait_until 20 udp_bound "$pst_port" || { echo "FAIL - the PstRotator stand-in did not start"; exit 1; }
}
