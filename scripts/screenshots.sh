#!/usr/bin/env bash
# Makes the README's pictures of the windows into docs/screenshots: the main
# window on each tab, in English, connected to the virtual unit (type 3) with
# the grid read, the settings dialog, the housing-opening guide and the About
# box; then the first page of the window's commissioning report, through
# pdftoppm. Offscreen, so no display is needed. Run it again after changing a
# window.
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
cmake --build "$build" --parallel "$jobs" --target pagerbench-unitsim pagerbench-screenshots

unset DISPLAY WAYLAND_DISPLAY
if [ -z "${XDG_RUNTIME_DIR:-}" ]; then
  XDG_RUNTIME_DIR="$(mktemp -d)"
  export XDG_RUNTIME_DIR
  trap 'rm -rf "$XDG_RUNTIME_DIR"' EXIT
fi
export QT_QPA_PLATFORM=offscreen LC_ALL=C.UTF-8

"$build/screenshots/pagerbench-screenshots" \
  --unitsim "$build/pagerbench/tools/unitsim/pagerbench-unitsim" \
  --out "$root/docs/screenshots"
# The report's first page, as the README shows it.
pdftoppm -png -r 60 -f 1 -l 1 -singlefile "$root/docs/screenshots/report.pdf" "$root/docs/screenshots/report"
rm "$root/docs/screenshots/report.pdf"
