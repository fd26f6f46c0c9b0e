#!/usr/bin/env bash
# Installs what is missing, builds the program and starts it.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh

cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=Release -DPAGERBENCH_TESTS=OFF >/dev/null
cmake --build build --target pagerbench

program=build/src/pagerbench
if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ]; then
  echo "There is no display here, so the window cannot open."
  echo "Run it on a virtual display instead:"
  echo "  xvfb-run -a $program"
  exit 2
fi
exec "$program" "$@"
