#!/usr/bin/env bash
# Start-up and memory of the Windows program under Wine against the
# one-label yardstick window built with the same cross Qt, in one run:
#
#   bash bench/windows/run.sh [--starts 20]
#
# Builds the Windows program's folder (scripts/windows.sh), the yardstick
# (bench/minimal, into build-bench-win64) and the Linux virtual unit, puts
# the yardstick beside the program so that both load the same DLLs and
# plugins, and measures both in a fresh Wine prefix on an Xvfb screen with
# a Wine server kept running (bench/windows/measure.py). Not part of the
# test suite. Runs as root, or through sudo (for apt-get).
set -euo pipefail
root=$(cd "$(dirname "$0")/../.." && pwd)
build=${BENCH_WIN_BUILD_DIR:-$root/build-bench-win64}
linux_build=${BENCH_BUILD_DIR:-$root/build-bench}
jobs=${BENCH_JOBS:-2}

bash "$root/scripts/ensure-packages.sh" wine wine64 xvfb xauth python3
portable=$(bash "$root/scripts/windows.sh" | sed -n 1p)
qt=$(bash "$root/scripts/windows-qt.sh" | tail -n1)
PAGERBENCH_WIN_QT=$qt cmake -S "$root/bench/windows" -B "$build" -G Ninja \
  -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-w64-x86_64.cmake" -DCMAKE_BUILD_TYPE=Release \
  -DCMAKE_PREFIX_PATH="$qt" -DQT_HOST_PATH=/usr -DQT_HOST_PATH_CMAKE_DIR=/usr/lib/x86_64-linux-gnu/cmake >/dev/null
PAGERBENCH_WIN_QT=$qt cmake --build "$build" --parallel "$jobs" >/dev/null
[ -f "$linux_build/CMakeCache.txt" ] ||
  cmake -S "$root/bench" -B "$linux_build" -G Ninja -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build "$linux_build" --parallel "$jobs" --target pagerbench-unitsim >/dev/null

. "$root/tests/windows/wine-prefix.sh" bench
cp -r "$portable" "$work/app"
x86_64-w64-mingw32-strip -o "$work/app/minimal.exe" "$build/minimal/pagerbench-bench-minimal.exe"

Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp 3>"$work/display" 2>"$work/xvfb.log" &
background_pids+=($!)
for _ in $(seq 50); do [ -s "$work/display" ] && break; sleep 0.1; done
export DISPLAY=:$(head -n1 "$work/display")
wineboot -i >/dev/null 2>&1
wineserver -w

# The program as a technician has set it up: English, unit type 3, Com 1 on
# the virtual unit, no housing guide.
"$linux_build/pagerbench/tools/unitsim/pagerbench-unitsim" --type 3 --quiet --link "$work/unit" >"$work/unit.out" 2>&1 &
background_pids+=($!)
for _ in $(seq 50); do grep -q '^pty: ' "$work/unit.out" && break; sleep 0.1; done
wine reg add 'HKLM\Software\Wine\Ports' /v COM1 /t REG_SZ /d "$(readlink -f "$work/unit")" /f >/dev/null
wine reg add 'HKCU\Software\Wine\Fonts\Replacements' /v Tahoma /t REG_SZ /d 'DejaVu Sans' /f >/dev/null
printf '%s\r\n' '0        Compoort ->0' '1      Logfile ->2' '2       SetPath ->' '3       UnitType ->3' \
  '4       Taal ->0' '5       Case ->1' >"$work/app/Pagerbench.set"
wineserver -k
wineserver -w
# One server for the whole run: its start belongs to neither program.
wineserver -p
python3 "$root/bench/windows/measure.py" --program "$work/app/pagerbench.exe" --minimal "$work/app/minimal.exe" "$@"
