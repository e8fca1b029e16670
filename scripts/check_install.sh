#!/usr/bin/env bash
# Installs the build in BUILD_DIR into a temporary DESTDIR under prefix /usr and checks the
# tree: programs, desktop entry, icons, MIME package, metainfo, skins and manual pages. The
# desktop entry, the metainfo and the manual pages are validated when desktop-file-validate,
# appstreamcli and groff are installed. Every command `tinto --help` lists must have its entry
# in tinto(1), and `tinto --version` must print the editor's version line.
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

man1=$root/share/man/man1
for page in tinto tinto-editor; do
  expect share/man/man1/$page.1
  for section in NAME SYNOPSIS DESCRIPTION OPTIONS FILES "EXIT STATUS" EXAMPLES; do
    grep -q "^\.SH $section\$" "$man1/$page.1" 2>/dev/null ||
      { echo "$page.1: no section $section"; failed=1; }
  done
  if command -v groff >/dev/null; then
    warnings=$(groff -man -ww -z "$man1/$page.1" 2>&1)
    [[ -z $warnings ]] || { echo "$page.1: $warnings"; failed=1; }
  fi
done
for command in $("$root/bin/tinto" --help | awk '/^commands:/ {on = 1; next} on && !NF {exit} on {print $1}'); do
  grep -q "^\.BI \"$command " "$man1/tinto.1" ||
    { echo "tinto.1: no entry for the command $command"; failed=1; }
done
version=$("$root/bin/tinto" --version)
[[ $version == "$("$root/bin/tinto-editor" --version)" && $version == "Tinto Editor "* ]] ||
  { echo "tinto --version: \"$version\" is not the editor's version line"; failed=1; }

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
