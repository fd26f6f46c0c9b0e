#!/usr/bin/env bash
# Builds the .deb: a release build without the tests and with
# PAGERBENCH_DEVELOPMENT off, so that no program looks for its module in the
# build tree, then cpack, which checks that no packaged file names the build
# folder. The build folder is build-package, or the one named by
# PACKAGE_BUILD; the package is left there. JOBS sets the number of
# parallel jobs (default: one per processor).
set -euo pipefail
cd "$(dirname "$0")/.."

jobs=${JOBS:-$(nproc 2>/dev/null || echo 2)}
build=${PACKAGE_BUILD:-build-package}

cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DPAGERBENCH_TESTS=OFF \
  -DPAGERBENCH_DEVELOPMENT=OFF >/dev/null
cmake --build "$build" -j "$jobs"
(cd "$build" && cpack --config CPackConfig.cmake)
