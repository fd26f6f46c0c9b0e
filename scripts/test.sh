#!/usr/bin/env bash
# Installs what is missing, builds the program and its tests, and runs them all.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh

jobs=$(nproc 2>/dev/null || echo 2)
cmake -S . -B build-tests -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build build-tests -j "$jobs"
ctest --test-dir build-tests --output-on-failure -j "$jobs"
