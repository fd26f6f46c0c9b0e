#!/usr/bin/env bash
# The performance benchmark: builds the program, the virtual unit, a minimal
# Qt Widgets program and the driver (Release, into build-bench), then measures
# the program beside the minimal program and prints one table.
#
#   bash bench/run.sh [--starts 20] [--idle 30] [--ticks 2000] [--type 3]
#   bash bench/run.sh --soak [--exchanges 1000000] [--warm-up 5000]
#
# --soak builds and runs only the soak: the engine against the virtual unit
# in one process, tick after tick without a timer (soak/main.cpp).
#
# BENCH_BUILD_DIR chooses another build folder, BENCH_JOBS the build's
# parallel jobs. The whole run takes about three minutes.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
build="${BENCH_BUILD_DIR:-$root/build-bench}"
jobs="${BENCH_JOBS:-$(nproc)}"

bash "$root/scripts/install-deps.sh"

generator=()
if command -v ninja >/dev/null 2>&1 && [ ! -f "$build/CMakeCache.txt" ]; then
  generator=(-G Ninja)
fi
cmake -S "$root/bench" -B "$build" "${generator[@]}" -DCMAKE_BUILD_TYPE=Release >/dev/null
if [ "${1:-}" = "--soak" ]; then
  shift
  cmake --build "$build" --parallel "$jobs" --target pagerbench-bench-soak
  exec "$build/soak/pagerbench-bench-soak" "$@"
fi
cmake --build "$build" --parallel "$jobs" \
  --target pagerbench pagerbench-unitsim pagerbench-bench-minimal pagerbench-bench

# Nothing of a desktop session may interfere with the offscreen windows.
unset DISPLAY WAYLAND_DISPLAY
if [ -z "${XDG_RUNTIME_DIR:-}" ]; then
  XDG_RUNTIME_DIR="$(mktemp -d)"
  export XDG_RUNTIME_DIR
  trap 'rm -rf "$XDG_RUNTIME_DIR"' EXIT
fi

"$build/driver/pagerbench-bench" run \
  --program "$build/pagerbench/src/pagerbench" \
  --minimal "$build/minimal/pagerbench-bench-minimal" \
  --unitsim "$build/pagerbench/tools/unitsim/pagerbench-unitsim" \
  "$@"
