#!/usr/bin/env bash
# The Debian package made with CPack from this build: it holds the installed layout and depends on
# the system's Qt and SQLite libraries (read from the binaries by dpkg-shlibdeps). Skipped (77)
# where the Debian tools are missing.
#
# usage: debian_package.sh <build tree>
set -euo pipefail
build=$1

fail() { echo "debian package: $*" >&2; exit 1; }
for tool in cpack dpkg-deb dpkg-shlibdeps; do
  command -v "$tool" >/dev/null || { echo "debian package: $tool not found, skipped"; exit 77; }
done

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cpack -G DEB -B "$work" --config "$build/CPackConfig.cmake" >"$work/cpack.log" 2>&1 || { cat "$work/cpack.log" >&2; fail "cpack failed"; }
debs=("$work"/pantrova_*.deb)
[ -f "${debs[0]}" ] || fail "cpack made no pantrova_*.deb"
deb=${debs[0]}

depends=$(dpkg-deb -f "$deb" Depends)
for lib in libqt6core6 libqt6gui6 libqt6widgets6 libsqlite3-0 fonts-liberation; do
  [[ ", $depends," == *", $lib "* || ", $depends," == *", $lib,"* ]] || fail "Depends lacks $lib: $depends"
done
[ "$(dpkg-deb -f "$deb" Package)" = pantrova ] || fail "the package is not named pantrova"

contents=$(dpkg-deb -c "$deb" | awk '{print $6}')
for f in ./usr/bin/pantrova ./usr/lib/pantrova/libvorrin.so ./usr/share/pantrova/Recipe70e.mdb \
         ./usr/share/pantrova/recipe.HLP ./usr/share/applications/org.pantrova.Pantrova.desktop \
         ./usr/share/metainfo/org.pantrova.Pantrova.metainfo.xml \
         ./usr/share/icons/hicolor/scalable/apps/org.pantrova.Pantrova.svg; do
  grep -qxF "$f" <<<"$contents" || fail "the package has no $f"
done
echo "debian package: $(basename "$deb") holds the program and depends on $depends"
