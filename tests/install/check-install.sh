#!/usr/bin/env bash
# Installs the built program into a temporary prefix and checks what a desktop
# needs: the executable, the menu entry, the icons and the software-centre
# description, each valid by the freedesktop validators.
set -euo pipefail
build="$1"
prefix="$(mktemp -d)"
trap 'rm -rf "$prefix"' EXIT
cmake --install "$build" --prefix "$prefix" --strip >/dev/null

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
# make install strips what it installs, as here; the build keeps its debug information.
if readelf -S "$prefix/bin/vantiq" | grep -q debug_info; then echo "bin/vantiq is not stripped"; status=1; fi
grep -qx 'Exec=vantiq' "$prefix/share/applications/$id.desktop" || { echo "desktop file: Exec is not vantiq"; status=1; }
grep -qx 'GenericName=Fuel Log' "$prefix/share/applications/$id.desktop" || { echo "desktop file: no generic name"; status=1; }
grep -q "<release version=\"$(sed -n 's/^project(Vantiq VERSION \([0-9.]*\).*/\1/p' "$(dirname "$0")/../../CMakeLists.txt")\"" \
  "$prefix/share/metainfo/$id.metainfo.xml" || { echo "metainfo: release is not the project version"; status=1; }
for size in 16 48 256; do
  [ "$(identify -format '%w x %h' "$prefix/share/icons/hicolor/${size}x${size}/apps/$id.png")" = "${size} x ${size}" ] \
    || { echo "icon ${size}: wrong size"; status=1; }
done
[ $status -eq 0 ] || exit 1

# Without a display: the version and the usage, nothing else started.
version="$(sed -n 's/^project(Vantiq VERSION \([0-9.]*\).*/\1/p' "$(dirname "$0")/../../CMakeLists.txt")"
[ "$(env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM "$prefix/bin/vantiq" --version)" = "Vantiq $version" ] \
  || { echo "--version: not 'Vantiq $version'"; status=1; }
env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM "$prefix/bin/vantiq" --help | grep -q '^Usage: vantiq \[options\]' \
  || { echo "--help: no usage"; status=1; }
# An option it does not know is refused with the usage, before a display is needed.
for bad in --bogus stray.dat; do
  rc=0; said="$(env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM "$prefix/bin/vantiq" "$bad" 2>&1 >/dev/null)" || rc=$?
  [ "$rc" -eq 2 ] && grep -q '^Usage: vantiq \[options\]' <<<"$said" \
    || { echo "$bad: exit $rc, not 2 with the usage: $said"; status=1; }
done

# The installed program run as a user would: its settings in the per-user
# configuration folder, its data in the per-user data folder, nothing
# written under the prefix, whatever its permissions. Asked to stop as a
# session does (SIGTERM), it closes as the user would: settings and backup.
home="$(mktemp -d)"
trap 'rm -rf "$prefix" "$home"' EXIT
config="$home/.config/Quorvix/Vantiq" data="$home/.local/share/Quorvix/Vantiq"
mkdir -p "$config" "$data"
printf '[Quorvix\\Vantiq]\r\nStart up=1\r\nRegistration=AB12\r\nBackup=1\r\n' >"$config/vantiq.ini"
printf '01/01/2026\r\n10000\r\n40.00\r\n139.90\r\n' >"$data/AB12.dat"
touch "$home/.before"
# Under a virtual X server where there is one: the run waits for the main
# window and reads its class; else offscreen, given time to start.
class="$(sed -n 's/^StartupWMClass=//p' "$prefix/share/applications/$id.desktop")"
[ "$class" = "Vantiq" ] || { echo "desktop file: StartupWMClass is '$class'"; status=1; }
run='"$1" 2>"$3" & pid=$!
     for i in $(seq 1 60); do
       if [ -n "${DISPLAY:-}" ]; then xwininfo -root -tree > "$2" 2>/dev/null; grep -q "Vantiq by Quorvix" "$2" && break; fi
       sleep 0.5
     done
     [ -n "${DISPLAY:-}" ] || sleep 4
     sleep 3; kill -TERM $pid; wait $pid'
windows="$home/windows" told="$home/stderr"
(
  unset XDG_CONFIG_HOME XDG_DATA_HOME WAYLAND_DISPLAY
  export HOME="$home" XDG_RUNTIME_DIR="$home/runtime"
  # In a sanitizer build, the X libraries' own findings (xkbcommon's strndup,
  # dbus's leaks) are not what this run is about.
  export ASAN_OPTIONS="${ASAN_OPTIONS:-}:strict_string_checks=0:detect_leaks=0"
  mkdir -p -m 700 "$XDG_RUNTIME_DIR"
  if command -v xvfb-run >/dev/null && command -v xwininfo >/dev/null; then
    unset QT_QPA_PLATFORM
    xvfb-run -a bash -c "$run" _ "$prefix/bin/vantiq" "$windows" "$told"
  else
    unset DISPLAY
    QT_QPA_PLATFORM=offscreen bash -c "$run" _ "$prefix/bin/vantiq" "$windows" "$told"
  fi
) || { echo "the installed program did not close when asked to; it said:"; tail -40 "$told" 2>/dev/null; status=1; }
grep -q "^Data Path=$data/" "$config/vantiq.ini" || { echo "settings: not written to $config/vantiq.ini"; status=1; }
[ -s "$data/AB12.bak" ] || { echo "data: no backup in $data"; status=1; }
written="$(find "$prefix" -newer "$home/.before" -type f)"
[ -z "$written" ] || { echo "written under the prefix: $written"; status=1; }
# The window's class names the menu entry (StartupWMClass).
if [ -s "$windows" ]; then
  grep "Vantiq by Quorvix" "$windows" | grep -q "(\"vantiq\" \"$class\")" || { echo "window class is not $class"; status=1; }
fi
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
