#!/usr/bin/env bash
# Installs the Debian packages Talkwright needs to build and test, skipping those
# already present. Safe to run again; does nothing when everything is there.
set -euo pipefail

packages=(
    g++ cmake ninja-build pkg-config
    clang libclang-rt-dev               # libFuzzer targets
    libgtest-dev libgmock-dev           # GoogleTest
    libbenchmark-dev                    # Google Benchmark
    nlohmann-json3-dev                  # the JSON form of dialogues
    libsimdjson-dev                     #   and its fast reader
    libgraphviz-dev                     # the conversation map's layout (dot)
    qt6-base-dev libgl-dev              # the editor (Qt 6 Widgets, Qt Test)
    libmimalloc-dev                     #   and its allocator
    lua5.4                              # yardstick for the parser benchmarks
    desktop-file-utils appstream        # the install test: desktop entry and metainfo
    shared-mime-info libxml2-utils      #   the .vrx file type
    man-db                              #   the manual pages
    dpkg-dev fakeroot file              # cpack -G DEB (dpkg-shlibdeps finds the Qt packages)
)

missing=()
for package in "${packages[@]}"; do
    if ! dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q 'install ok installed'; then
        missing+=("$package")
    fi
done

if ((${#missing[@]} == 0)); then
    exit 0
fi

echo "Installing: ${missing[*]}"
sudo=()
if [[ $(id -u) -ne 0 ]]; then
    sudo=(sudo)
fi
export DEBIAN_FRONTEND=noninteractive
"${sudo[@]}" apt-get update -qq
"${sudo[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}"
