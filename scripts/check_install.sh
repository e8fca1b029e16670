#!/usr/bin/env bash
# Installs the build in BUILD_DIR into a temporary DESTDIR under prefix /usr and checks the
# tree: programs, desktop entry, icons, MIME package, metainfo and skins. The desktop entry
# and the metainfo are validated when desktop-file-validate and appstreamcli are installed.
# Usage: scripts/check_install.sh BUILD_DIR
set -euo pipefail
build=${1:?usage: check_install.sh BUILD_DIR}
id=io.github.tinto.TintoEditor
dest=$(mktemp -d)
trap 'rm -rf "$dest"' EXIT
DESTDIR=$dest cmake --install "$build" --prefix /usr >/dev/null
root=$dest/usr

failed=0
expect() {
  if [[ ! -s $root/$1 ]]; then
    echo "missing: $1"
    failed=1
  fi
}
expect bin/tinto-editor
expect bin/tinto
expect share/applications/$id.desktop
expect share/mime/packages/$id.xml
expect share/metainfo/$id.metainfo.xml
expect share/icons/hicolor/scalable/apps/$id.svg
for size in 16 24 32 48 64 128 256; do
  expect share/icons/hicolor/${size}x${size}/apps/$id.png
done
for skin in classic.ini classic.qss classic-check.png dark.ini dark.qss dark-check.png maroon.ods; do
  expect share/tinto-editor/skins/$skin
done
[[ -x $root/bin/tinto-editor ]] || { echo "not executable: bin/tinto-editor"; failed=1; }

if command -v desktop-file-validate >/dev/null; then
  desktop-file-validate "$root/share/applications/$id.desktop" || failed=1
fi
if command -v appstreamcli >/dev/null; then
  appstreamcli validate --no-net "$root/share/metainfo/$id.metainfo.xml" >/dev/null || failed=1
fi
if ((failed)); then
  echo "install tree incomplete"
  exit 1
fi
echo "install tree complete"
