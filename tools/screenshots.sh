#!/usr/bin/env bash
# Starts the real program under Xvfb in a temporary program folder and home, and saves screenshots
# of the splash and of the main window browsing a generated cookbook, at normal and at double
# resolution, and of a first run (no settings, the template cookbook, the what's-new page).
#
#   tools/screenshots.sh [build dir] [output dir]
#
# The build dir must hold bin/pantrova with its shipped files, and bench/make_cookbook
# (configure with -DPANTROVA_BUILD_BENCH=ON). Needs Xvfb, xwininfo and ImageMagick's import.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=$(cd "${1:-$root/build}" && pwd)
out=$(mkdir -p "${2:-$root/screenshots}" && cd "${2:-$root/screenshots}" && pwd)
work=$(mktemp -d)
trap 'kill $(jobs -p) 2>/dev/null || true; rm -rf "$work"' EXIT

shoot() { # name scale screen recipes [width height in twips]
  local name=$1 scale=$2 screen=$3 recipes=$4 width=${5:-14400} height=${6:-9600}
  local folder="$work/$name" home="$work/$name-home" display=90
  # A display number nobody else on this machine is using.
  while [ -e "/tmp/.X$display-lock" ] || [ -e "/tmp/.X11-unix/X$display" ]; do display=$((display + 1)); done
  mkdir -p "$folder" "$home/.config/Pantrova"
  cp -r "$build/bin/." "$folder/"
  rm -f "$folder"/Recipe20.mdb* "$folder"/Admin.sys "$folder"/Utility.mdb "$folder"/Menus.mdb
  if [ "$recipes" -gt 0 ]; then
    "$build/bench/make_cookbook" "$folder/Recipe70e.mdb" "$folder/Recipe20.mdb" "$recipes" $((recipes / 8)) >/dev/null
  fi
  if [ "$recipes" -gt 0 ]; then
    # A returning cook: what's new already seen, a remembered comfortable window size.
    cat > "$home/.config/Pantrova/Pantrova.ini" <<INI
[Startup]
DH=7.0
Scrn=True
Width=$width
Height=$height
INI
  fi
  Xvfb ":$display" -screen 0 "$screen" -nolisten tcp >/dev/null 2>&1 &
  local xvfb=$!
  sleep 1
  (cd "$folder" && DISPLAY=":$display" HOME="$home" XDG_CONFIG_HOME="$home/.config" QT_SCALE_FACTOR="$scale" \
    QT_QPA_PLATFORM=xcb ./pantrova >"$work/$name.log" 2>&1) &
  local app=$!
  # The splash is up during its first two seconds.
  for _ in $(seq 50); do
    DISPLAY=":$display" xwininfo -root -tree 2>/dev/null | grep -q '"About Pantrova"' && break
    sleep 0.1
  done
  sleep 0.5
  DISPLAY=":$display" import -window root "$out/$name-splash.png"
  # Then the main window, titled after the cookbook.
  for _ in $(seq 100); do
    DISPLAY=":$display" xwininfo -root -tree 2>/dev/null | grep -q '"Pantrova - My CookBook"' && break
    sleep 0.1
  done
  sleep 1.5
  DISPLAY=":$display" import -window root "$out/$name-main.png"
  kill "$app" 2>/dev/null || true
  wait "$app" 2>/dev/null || true
  kill "$xvfb" 2>/dev/null || true
  wait "$xvfb" 2>/dev/null || true
  echo "saved $out/$name-splash.png and $out/$name-main.png"
}

shoot first-run 1 1100x760x24 0
shoot normal 1 1100x760x24 3000
shoot design-size 1 1100x760x24 3000 9555 7515
shoot hidpi 2 2200x1520x24 3000
