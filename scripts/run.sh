#!/usr/bin/env bash
# Builds Talkwright and runs it on the bundled sample.
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/install-deps.sh

cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo
cmake --build build -j "$(nproc)" --target talkwright-cli
build/src/cli/talkwright-cli script samples/tour.script
