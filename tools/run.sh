#!/usr/bin/env bash
# Installs what is missing, builds Pantrova and starts it in its program folder.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
"$root/tools/install-deps.sh"
cmake -S "$root" -B "$root/build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DPANTROVA_BUILD_TESTS=OFF
cmake --build "$root/build" --target pantrova_app
cd "$root/build/bin"
exec ./pantrova
