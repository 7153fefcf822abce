#!/usr/bin/env bash
# Builds the Debian package from the build, checks its control fields and
# contents, and unpacks it into a temporary root as dpkg would install it:
# the files must be where the desktop's menu looks for them.
set -euo pipefail
build="$(cd "$1" && pwd)"
for tool in cpack dpkg-deb dpkg-shlibdeps readelf lintian; do
  command -v "$tool" >/dev/null || { echo "SKIP: $tool is not installed (scripts/install-deps installs it)"; exit 77; }
done
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
(cd "$work" && cpack --config "$build/CPackConfig.cmake" -B "$work" >/dev/null)
version="$(sed -n 's/^project(Vantiq VERSION \([0-9.]*\).*/\1/p' "$(dirname "$0")/../../CMakeLists.txt")"
deb="$work/vantiq_${version}_amd64.deb"
[ -s "$deb" ] || { echo "no package named $(basename "$deb"): $(ls "$work")"; exit 1; }

status=0
field() { dpkg-deb -f "$deb" "$1"; }
[ "$(field Package)" = vantiq ] || { echo "Package: $(field Package)"; status=1; }
[ "$(field Version)" = "$version" ] || { echo "Version: $(field Version)"; status=1; }
[ "$(field Architecture)" = amd64 ] || { echo "Architecture: $(field Architecture)"; status=1; }
[ -n "$(field Maintainer)" ] && [ -n "$(field Description)" ] || { echo "no Maintainer or Description"; status=1; }
for lib in libqt6core6 libqt6gui6 libqt6widgets6 libqt6printsupport6 libc6; do
  field Depends | grep -q "\b$lib\b" || { echo "Depends lacks $lib: $(field Depends)"; status=1; }
done

root="$work/root"
dpkg -x "$deb" "$root"
id=com.quorvix.Vantiq
for f in usr/bin/vantiq usr/share/applications/$id.desktop usr/share/metainfo/$id.metainfo.xml \
         usr/share/icons/hicolor/scalable/apps/$id.svg usr/share/icons/hicolor/48x48/apps/$id.png \
         usr/share/icons/hicolor/256x256/apps/$id.png usr/share/doc/vantiq/copyright \
         usr/share/doc/vantiq/changelog.gz usr/share/man/man1/vantiq.1.gz; do
  [ -s "$root/$f" ] || { echo "not in the package: /$f"; status=1; }
done
[ -x "$root/usr/bin/vantiq" ] || { echo "/usr/bin/vantiq is not executable"; status=1; }
if readelf -S "$root/usr/bin/vantiq" | grep -q debug_info; then echo "/usr/bin/vantiq is not stripped"; status=1; fi
others="$(dpkg-deb -c "$deb" | awk '{print $6}' | grep -v '/$' \
  | grep -Ev '^\./usr/(bin/vantiq|share/(applications|metainfo|icons)/|share/doc/vantiq/(copyright|changelog\.gz)$|share/man/man1/vantiq\.1\.gz$)' || true)"
[ -z "$others" ] || { echo "unexpected files in the package: $others"; status=1; }
[ "$(env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM "$root/usr/bin/vantiq" --version)" = "Vantiq $version" ] \
  || { echo "the packaged program does not answer --version"; status=1; }
# Debian's own checks: an error fails the package (lintian says it was run as root).
lint="$(lintian --tag-display-limit 0 "$deb" 2>&1 | grep -v 'root privileges' || true)"
if grep -q '^E:' <<<"$lint"; then echo "lintian:"; echo "$lint"; status=1; fi
[ $status -eq 0 ] && echo "package $(basename "$deb") built and whole"
exit $status
