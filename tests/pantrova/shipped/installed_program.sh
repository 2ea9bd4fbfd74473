#!/usr/bin/env bash
# The installed program, the way a user meets it: `cmake --install` into a temporary root, the
# desktop entry and the AppStream metainfo validated (when the tools are there), then the installed
# program started offscreen by a user with a fresh home who cannot write the installation. It must
# make that user's data files in ~/.local/share/Pantrova, register the installed calendar library,
# open its main window and leave the installation exactly as it was; started again after the whole
# installation was moved, it repairs the library's registration. Last, a program folder of its own
# on a read-only medium keeps its data in $XDG_DATA_HOME/Pantrova.
#
# usage: installed_program.sh <build tree> <built program folder>
set -euo pipefail
build=$1
built=$2

fail() { echo "installed program: $*" >&2; exit 1; }

work=$(mktemp -d)
chmod 755 "$work"
cleanup() { chmod -R u+w "$work" 2>/dev/null || true; rm -rf "$work"; }
trap cleanup EXIT

# Root can write anything: the program runs as "nobody" then, so the read-only tree is read-only
# for it too.
runner=()
if [ "$(id -u)" -eq 0 ]; then
  command -v setpriv >/dev/null || fail "setpriv is needed to run the program as a normal user"
  runner=(setpriv --reuid=nobody --regid=nogroup --clear-groups)
fi
new_home() {
  mkdir -p "$1/.runtime"
  chmod 700 "$1/.runtime"
  if [ ${#runner[@]} -gt 0 ]; then chown -R nobody:nogroup "$1"; fi
}

# Lists every entry of a tree with its mode and size, and every file's checksum.
listing() {
  (cd "$1" && find . -printf '%M %s %p\n' | LC_ALL=C sort && find . -type f -exec sha256sum {} + | LC_ALL=C sort -k2)
}

# Starts `program` with a fresh environment for `home` and waits until its main window has been
# activated (the first activation records the what's-new version in the settings), then stops it.
run_until_main_window() {
  local program=$1 home=$2 log=$3
  shift 3
  local settings="$home/.config/Pantrova/Pantrova.ini"
  (cd / && exec "${runner[@]}" env -i PATH="$PATH" HOME="$home" XDG_RUNTIME_DIR="$home/.runtime" \
      QT_QPA_PLATFORM=offscreen ASAN_OPTIONS=detect_leaks=0 "$@" "$program") >"$log" 2>&1 &
  local pid=$!
  for _ in $(seq 1 120); do
    if ! kill -0 "$pid" 2>/dev/null; then
      cat "$log" >&2
      fail "$program ended by itself before its main window opened"
    fi
    if grep -q '^DH=7.0' "$settings" 2>/dev/null; then
      kill "$pid"
      wait "$pid" 2>/dev/null || true
      return 0
    fi
    sleep 0.5
  done
  kill "$pid" 2>/dev/null || true
  cat "$log" >&2
  fail "$program did not open its main window within a minute"
}

registered_library() {
  grep -A1 -F 'InprocServer32]' "$1/.config/component-registry/classes.reg" | sed -n 's/^@="\(.*\)"$/\1/p'
}

expect_data_files() {
  for f in Recipe20.mdb Utility.mdb Admin.sys Menus.mdb; do
    [ -f "$1/$f" ] || fail "no $f in $1"
  done
  [ -d "$1/PICS" ] || fail "no PICS folder in $1"
}

# --- Install into a temporary root. ---------------------------------------------------------------
root="$work/root"
DESTDIR="$root" cmake --install "$build" --prefix /usr >"$work/install.log"
usr="$root/usr"
for f in bin/pantrova lib/pantrova/libvorrin.so \
         share/pantrova/Recipe70e.mdb share/pantrova/UtilityE.mdb share/pantrova/AdminE.sys \
         share/pantrova/MenusE.mdb share/pantrova/recipe.HLP share/pantrova/fruits.gif share/pantrova/about.png \
         share/applications/org.pantrova.Pantrova.desktop share/metainfo/org.pantrova.Pantrova.metainfo.xml \
         share/icons/hicolor/scalable/apps/org.pantrova.Pantrova.svg \
         share/icons/hicolor/48x48/apps/org.pantrova.Pantrova.png \
         share/icons/hicolor/256x256/apps/org.pantrova.Pantrova.png; do
  [ -f "$usr/$f" ] || fail "the installation has no $f"
done

if command -v desktop-file-validate >/dev/null; then
  desktop-file-validate "$usr/share/applications/org.pantrova.Pantrova.desktop" || fail "desktop entry refused"
else
  echo "installed program: desktop-file-validate not found, desktop entry not validated"
fi
if command -v appstreamcli >/dev/null; then
  appstreamcli validate --no-net "$usr/share/metainfo/org.pantrova.Pantrova.metainfo.xml" || fail "metainfo refused"
else
  echo "installed program: appstreamcli not found, metainfo not validated"
fi

# --- First start of the installed program by a user with a fresh home. ----------------------------
chmod -R a-w "$usr"
listing "$root" >"$work/before"
home="$work/home"
new_home "$home"
run_until_main_window "$usr/bin/pantrova" "$home" "$work/first.log"
expect_data_files "$home/.local/share/Pantrova"
[ "$(registered_library "$home")" = "$usr/lib/pantrova/libvorrin.so" ] ||
  fail "the calendar library registered is '$(registered_library "$home")', not the installed one"
listing "$root" >"$work/after"
diff -u "$work/before" "$work/after" >&2 || fail "the program changed its installation"

# --- The installation moved: the registration follows, the user's data stays. ---------------------
moved="$work/moved"
mv "$root" "$moved"
kept=$(cd "$home/.local/share/Pantrova" && stat -c '%n %i' Recipe20.mdb Utility.mdb Admin.sys Menus.mdb)
rm "$home/.config/Pantrova/Pantrova.ini"
run_until_main_window "$moved/usr/bin/pantrova" "$home" "$work/moved.log"
[ "$(registered_library "$home")" = "$moved/usr/lib/pantrova/libvorrin.so" ] ||
  fail "after the move the calendar library registered is still '$(registered_library "$home")'"
[ "$(cd "$home/.local/share/Pantrova" && stat -c '%n %i' Recipe20.mdb Utility.mdb Admin.sys Menus.mdb)" = "$kept" ] ||
  fail "the moved program made the user's data files anew"
listing "$moved" >"$work/after-move"
diff -u "$work/before" "$work/after-move" >&2 || fail "the moved program changed its installation"

# --- A program folder of its own on a read-only medium. --------------------------------------------
portable="$work/portable"
mkdir "$portable"
cp "$built/pantrova" "$built/libvorrin.so" "$built"/*E.mdb "$built"/Recipe70e.mdb "$built"/AdminE.sys \
   "$built/recipe.HLP" "$built/fruits.gif" "$built/about.png" "$portable/"
chmod -R a-w "$portable"
listing "$portable" >"$work/before-portable"
home2="$work/home2"
mkdir -p "$home2/data"
new_home "$home2"
run_until_main_window "$portable/pantrova" "$home2" "$work/portable.log" XDG_DATA_HOME="$home2/data"
expect_data_files "$home2/data/Pantrova"
listing "$portable" >"$work/after-portable"
diff -u "$work/before-portable" "$work/after-portable" >&2 || fail "the program changed its read-only folder"

echo "installed program: data in the user's folder, main window opened, installation untouched"
