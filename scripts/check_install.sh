#!/usr/bin/env bash
# Installs the build into a temporary prefix and checks that the program, the desktop entry,
# the AppStream file and every icon land at their paths.
set -euo pipefail
build=$1 app_id=$2
prefix=$(mktemp -d)
trap 'rm -rf "$prefix"' EXIT
cmake --install "$build" --prefix "$prefix" >/dev/null

missing=0
expect() {
  if [ ! -s "$prefix/$1" ]; then echo "missing: $1"; missing=1; fi
}
expect bin/veltrane
expect share/applications/veltrane.desktop
expect "share/metainfo/$app_id.metainfo.xml"
expect share/icons/hicolor/scalable/apps/veltrane.svg
for size in 16 24 32 48 64 128 256; do
  expect "share/icons/hicolor/${size}x${size}/apps/veltrane.png"
done
exit $missing
