#!/usr/bin/env bash
# Cross-builds pagerbench.exe and pagerbench-cli.exe for 64-bit Windows into
# build-win64, with the Qt that scripts/windows-qt.sh builds once.
set -euo pipefail

here=$(cd "$(dirname "$0")/.." && pwd)
qt=$(bash "$here/scripts/windows-qt.sh" | tail -n1)
build=$here/build-win64

export PAGERBENCH_WIN_QT=$qt
cmake -S "$here" -B "$build" -G Ninja \
  -DCMAKE_TOOLCHAIN_FILE="$here/cmake/mingw-w64-x86_64.cmake" \
  -DCMAKE_BUILD_TYPE=Release \
  -DCMAKE_PREFIX_PATH="$qt" \
  -DQT_HOST_PATH=/usr \
  -DQT_HOST_PATH_CMAKE_DIR=/usr/lib/x86_64-linux-gnu/cmake \
  -DPAGERBENCH_TESTS=OFF \
  -DPAGERBENCH_DEVELOPMENT=OFF
cmake --build "$build" --parallel "${PAGERBENCH_JOBS:-2}" --target pagerbench pagerbench-cli pagerbench-tcp
