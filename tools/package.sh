#!/usr/bin/env bash
# Builds Pantrova for release and makes its Debian package, build-deb/pantrova_<version>_amd64.deb.
# Install it with: sudo apt install ./build-deb/pantrova_*.deb
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build="$root/build-deb"
"$root/tools/install-deps.sh"
cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DPANTROVA_BUILD_TESTS=OFF -DPANTROVA_BUILD_BENCH=OFF
cmake --build "$build"
cd "$build"
cpack -G DEB
