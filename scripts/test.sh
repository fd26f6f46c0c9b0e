#!/usr/bin/env bash
# Installs what is missing, builds the program and its tests, and runs them
# all; then the same suite built with AddressSanitizer and
# UndefinedBehaviorSanitizer, where any report fails the run; then a short
# run of every fuzz target (scripts/fuzz.sh --smoke); then the package
# (scripts/package.sh), which fails when a packaged file names its build folder;
# last the Windows build and its tests under Wine (scripts/windows-test.sh),
# which builds the cross Qt first when its cache folder has none.
#
# The build folders are build-tests, build-asan, build-fuzz and
# build-package, or the folders named by TESTS_BUILD, ASAN_BUILD, FUZZ_BUILD
# and PACKAGE_BUILD; JOBS sets the number of parallel jobs (default: one
# per processor).
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh

jobs=${JOBS:-$(nproc 2>/dev/null || echo 2)}
tests_build=${TESTS_BUILD:-build-tests}
asan_build=${ASAN_BUILD:-build-asan}

echo "== Test suite"
cmake -S . -B "$tests_build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build "$tests_build" -j "$jobs"
ctest --test-dir "$tests_build" --output-on-failure -j "$jobs"

echo "== Test suite with AddressSanitizer and UndefinedBehaviorSanitizer"
# Debug keeps the range checks of Qt's headers; -O1 keeps the run quick.
cmake -S . -B "$asan_build" -G Ninja -DCMAKE_BUILD_TYPE=Debug -DCMAKE_CXX_FLAGS_DEBUG="-g -O1" \
  -DPAGERBENCH_SANITIZE=ON >/dev/null
cmake --build "$asan_build" -j "$jobs"
(
  export ASAN_OPTIONS=halt_on_error=1:detect_leaks=1:detect_stack_use_after_return=1:check_initialization_order=1:strict_init_order=1
  export UBSAN_OPTIONS=halt_on_error=1:print_stacktrace=1
  ctest --test-dir "$asan_build" --output-on-failure -j "$jobs"
)

echo "== Fuzz targets, short run"
bash scripts/fuzz.sh --smoke

echo "== Package"
JOBS=$jobs bash scripts/package.sh

echo "== Windows: cross build, zip, installer, tests under Wine"
TESTS_BUILD=$tests_build PAGERBENCH_JOBS=$jobs bash scripts/windows-test.sh
