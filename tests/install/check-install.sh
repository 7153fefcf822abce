#!/usr/bin/env bash
# Installs the built program into a temporary prefix and checks what a desktop
# needs: the executable, the menu entry, the icons and the software-centre
# description, each valid by the freedesktop validators.
set -euo pipefail
build="$1"
prefix="$(mktemp -d)"
trap 'rm -rf "$prefix"' EXIT
cmake --install "$build" --prefix "$prefix" >/dev/null

id=com.quorvix.Vantiq
expected=(
  bin/vantiq
  share/applications/$id.desktop
  share/metainfo/$id.metainfo.xml
  share/icons/hicolor/scalable/apps/$id.svg
)
for size in 16 24 32 48 64 128 256; do
  expected+=(share/icons/hicolor/${size}x${size}/apps/$id.png)
done
status=0
for f in "${expected[@]}"; do
  if [ ! -s "$prefix/$f" ]; then echo "missing: $f"; status=1; fi
done
[ -x "$prefix/bin/vantiq" ] || { echo "not executable: bin/vantiq"; status=1; }
grep -qx 'Exec=vantiq' "$prefix/share/applications/$id.desktop" || { echo "desktop file: Exec is not vantiq"; status=1; }
grep -qx 'GenericName=Fuel Log' "$prefix/share/applications/$id.desktop" || { echo "desktop file: no generic name"; status=1; }
grep -q "<release version=\"$(sed -n 's/^project(Vantiq VERSION \([0-9.]*\).*/\1/p' "$(dirname "$0")/../../CMakeLists.txt")\"" \
  "$prefix/share/metainfo/$id.metainfo.xml" || { echo "metainfo: release is not the project version"; status=1; }
for size in 16 48 256; do
  [ "$(identify -format '%w x %h' "$prefix/share/icons/hicolor/${size}x${size}/apps/$id.png")" = "${size} x ${size}" ] \
    || { echo "icon ${size}: wrong size"; status=1; }
done
[ $status -eq 0 ] || exit 1

missing=()
if command -v desktop-file-validate >/dev/null; then
  desktop-file-validate "$prefix/share/applications/$id.desktop"
else
  missing+=(desktop-file-validate)
fi
if command -v appstreamcli >/dev/null; then
  appstreamcli validate --no-net --explain "$prefix/share/metainfo/$id.metainfo.xml"
else
  missing+=(appstreamcli)
fi
if [ ${#missing[@]} -gt 0 ]; then
  echo "SKIP: the installed files are in place, but ${missing[*]} is not installed (scripts/install-deps installs it)"
  exit 77
fi
echo "installed and valid"
