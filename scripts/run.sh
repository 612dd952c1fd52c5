#!/usr/bin/env bash
# Builds Talkwright and runs it on the bundled sample.
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/install-deps.sh

cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo
cmake --build build -j "$(nproc)" --target talkwright-cli
# The tour makes two deliberate mistakes, so the tool answers 1 (some line failed);
# only a usage or read error (2) or a crash means the run itself went wrong.
status=0
build/src/cli/talkwright-cli script samples/tour.script || status=$?
((status <= 1))
