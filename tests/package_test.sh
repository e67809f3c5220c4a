#!/usr/bin/env bash
# Builds the Debian package from a configured build folder and checks what it
# holds: the program, its desktop integration, and dependencies computed from
# the binary that name the Qt libraries.
set -eu
build=$1
out=$(mktemp -d)
trap 'rm -rf "$out"' EXIT

cpack --config "$build/CPackConfig.cmake" -B "$out" >/dev/null
deb=$(ls "$out"/tessary_1.00_*.deb)
files=$(dpkg-deb -c "$deb" | awk '{print $6}')
for expected in \
  ./usr/bin/Tessary \
  ./usr/share/applications/org.tessary.Tessary.desktop \
  ./usr/share/metainfo/org.tessary.Tessary.metainfo.xml \
  ./usr/share/icons/hicolor/scalable/apps/org.tessary.Tessary.svg \
  ./usr/share/icons/hicolor/48x48/apps/org.tessary.Tessary.png \
  ./usr/share/doc/tessary/copyright; do
  grep -qx -- "$expected" <<<"$files" || { echo "missing from the package: $expected"; exit 1; }
done
depends=$(dpkg-deb -f "$deb" Depends)
for library in libqt6widgets6 libqt6gui6 libqt6core6; do
  grep -q "$library" <<<"$depends" || { echo "no dependency on $library in: $depends"; exit 1; }
done
[ "$(dpkg-deb -f "$deb" Package) $(dpkg-deb -f "$deb" Version)" = "tessary 1.00" ] || { echo "wrong name or version"; exit 1; }
echo "ok: $(basename "$deb"), $(stat -c %s "$deb") bytes; Depends: $depends"
