#!/usr/bin/env bash
# Installs what is missing, builds everything with sanitizers and fatal warnings, and runs the
# whole test suite headless, then starts the real program once offscreen as a smoke test. Last,
# the fuzz targets run briefly in a clang tree of their own.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build="$root/build-test"
"$root/tools/install-deps.sh"
cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Debug \
  -DPANTROVA_WERROR=ON -DPANTROVA_SANITIZE=ON -DPANTROVA_BUILD_TESTS=ON -DPANTROVA_BUILD_BENCH=ON
cmake --build "$build"
export QT_QPA_PLATFORM=offscreen
# Smoke test: the real program starts in a fresh program folder and home and is still running
# (splash, then main window) when it is stopped a few seconds later.
smoke=$(mktemp -d)
trap 'rm -rf "$smoke"' EXIT
cp -r "$build/bin" "$smoke/program"
rm -f "$smoke/program"/Recipe20.mdb* "$smoke/program"/Admin.sys "$smoke/program"/Utility.mdb "$smoke/program"/Menus.mdb
mkdir -p "$smoke/home"
set +e
( cd "$smoke/program" && HOME="$smoke/home" XDG_CONFIG_HOME="$smoke/home/.config" ASAN_OPTIONS=detect_leaks=0 \
    timeout 8 ./pantrova )
status=$?
set -e
if [ "$status" -ne 124 ]; then
  echo "Smoke test: pantrova ended by itself with status $status instead of running" >&2
  exit 1
fi
[ -f "$smoke/program/Recipe20.mdb" ] || { echo "Smoke test: the first run made no Recipe20.mdb" >&2; exit 1; }
echo "Smoke test: pantrova started in a fresh program folder and kept running"

cd "$build"
ctest --output-on-failure --timeout 300 "$@"

# Fuzzing: a clang tree holding only the fuzz targets and what they link; each target runs for a
# short while (PANTROVA_FUZZ_SECONDS) from its checked-in inputs (cmake/PantrovaFuzzing.cmake).
fuzz="$root/build-fuzz"
cmake -S "$root" -B "$fuzz" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++ -DPANTROVA_FUZZ=ON
cmake --build "$fuzz"
cd "$fuzz"
ctest -L fuzz --output-on-failure
