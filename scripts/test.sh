#!/usr/bin/env bash
# Builds everything and runs every test: first the whole project (editor and its UI
# tests included); then the core once more as a packager builds it (Release), so that no
# build type meets a warning; last the core, its tests and the fuzz corpus replays under
# AddressSanitizer and UndefinedBehaviorSanitizer. Warnings are errors in all three.
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/install-deps.sh

jobs=$(nproc)

cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DTALKWRIGHT_BUILD_BENCH=ON \
    -DTALKWRIGHT_WERROR=ON
cmake --build build -j "$jobs"
QT_QPA_PLATFORM=offscreen ctest --test-dir build --output-on-failure -j "$jobs"

cmake -S . -B build-release -G Ninja -DCMAKE_BUILD_TYPE=Release -DTALKWRIGHT_WERROR=ON \
    -DTALKWRIGHT_BUILD_EDITOR=OFF -DTALKWRIGHT_BUILD_TESTS=OFF
cmake --build build-release -j "$jobs"

cmake -S . -B build-sanitize -G Ninja -DCMAKE_BUILD_TYPE=Debug \
    -DCMAKE_CXX_FLAGS_DEBUG="-O1 -g" -DTALKWRIGHT_WERROR=ON \
    -DTALKWRIGHT_SANITIZE=ON -DTALKWRIGHT_BUILD_EDITOR=OFF
cmake --build build-sanitize -j "$jobs"
ASAN_OPTIONS=halt_on_error=1:abort_on_error=1:detect_leaks=1 \
UBSAN_OPTIONS=halt_on_error=1:print_stacktrace=1 \
    ctest --test-dir build-sanitize --output-on-failure -j "$jobs"

