#!/usr/bin/env bash
# Installs what is missing, builds the program and starts it.
#
# With no real port named, the program talks to a virtual unit of the
# configured unit type on a pseudo-terminal, which stops with the program.
# A real port is named either way:
#   PAGERBENCH_COM1=/dev/ttyUSB0 bash scripts/run.sh
#   bash scripts/run.sh --port /dev/ttyUSB0
# (--port names the device of the port chosen in the settings dialog, "Com<n>".)
set -euo pipefail
cd "$(dirname "$0")/.."

port_device=""
args=()
while [ $# -gt 0 ]; do
  case "$1" in
    --port)
      [ $# -ge 2 ] || { echo "--port needs a device, e.g. --port /dev/ttyUSB0" >&2; exit 2; }
      port_device=$2
      shift 2
      ;;
    --port=*) port_device=${1#--port=}; shift ;;
    *) args+=("$1"); shift ;;
  esac
done

bash scripts/install-deps.sh

cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=Release -DPAGERBENCH_TESTS=OFF >/dev/null
cmake --build build --target pagerbench

program=build/src/pagerbench
if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ]; then
  echo "There is no display here, so the window cannot open."
  echo "Run it on a virtual display instead:"
  echo "  xvfb-run -a $program"
  echo "or, with the virtual unit as well:"
  echo "  xvfb-run -a bash scripts/run.sh"
  exit 2
fi

# The configured port and unit type, from the file the program keeps beside
# itself: lines such as "0        Compoort ->0" and "3       UnitType ->1".
config=build/src/Pagerbench.set
setting() { # setting <line number> <default>
  local value=""
  if [ -f "$config" ]; then
    value=$(tr -d '\r' <"$config" | sed -n "s/^$1 .*->[[:space:]]*\(-\{0,1\}[0-9]\{1,\}\).*/\1/p" | head -n 1)
  fi
  echo "${value:-$2}"
}
port_number=$(( $(setting 0 0) + 1 ))
unit_type=$(setting 3 1)
port_variable=PAGERBENCH_COM$port_number

run_program() {
  local status=0
  "$program" ${args[@]+"${args[@]}"} || status=$?
  return "$status"
}

if [ -n "$port_device" ]; then
  export "$port_variable=$port_device"
  exec "$program" ${args[@]+"${args[@]}"}
fi
if [ -n "${!port_variable:-}" ]; then
  exec "$program" ${args[@]+"${args[@]}"}
fi

# No real port: the demo unit. A type the program does not know plays the
# unit without settings, as the program treats it.
case "$unit_type" in
  [0-6]) ;;
  *) unit_type=0 ;;
esac
cmake --build build --target pagerbench-unitsim
simulator=build/tools/unitsim/pagerbench-unitsim
first_line=$(mktemp)
"$simulator" --type "$unit_type" >"$first_line" &
simulator_pid=$!
trap 'kill "$simulator_pid" 2>/dev/null || true; wait "$simulator_pid" 2>/dev/null || true; rm -f "$first_line"' EXIT

# Its first line names the serial side: "pty: /dev/pts/N".
device=""
for _ in $(seq 100); do
  line=$(head -n 1 "$first_line")
  if [ "${line#pty: }" != "$line" ]; then
    device=${line#pty: }
    break
  fi
  kill -0 "$simulator_pid" 2>/dev/null || break
  sleep 0.05
done
if [ -z "$device" ]; then
  echo "The virtual unit did not start." >&2
  exit 1
fi

echo "No serial port named: Pagerbench talks to a virtual unit (unit type $unit_type) on $device."
echo "For a real unit: $port_variable=/dev/ttyUSB0 bash scripts/run.sh"
export "$port_variable=$device"
run_program
