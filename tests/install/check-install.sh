#!/usr/bin/env bash
# Installs the build into a throw-away prefix and checks that everything lands where the program and
# the desktop look for it.
set -euo pipefail
build=$1
prefix=$(mktemp -d)
trap 'rm -rf "$prefix"' EXIT
cmake --install "$build" --prefix "$prefix" >/dev/null

status=0
for file in bin/corvant bin/corvant-foreign-reader lib/libfindlaunch.so share/lumarc/sample/Sample.ctg \
            share/applications/lumarc.desktop share/icons/hicolor/scalable/apps/lumarc.svg; do
  if [ ! -f "$prefix/$file" ]; then
    echo "not installed: $file"
    status=1
  fi
done
[ -x "$prefix/bin/corvant" ] || { echo "bin/corvant is not executable"; status=1; }
desktop-file-validate "$prefix/share/applications/lumarc.desktop" || status=1
grep -qx 'Exec=corvant' "$prefix/share/applications/lumarc.desktop" || { echo "the entry does not start corvant"; status=1; }
grep -qx 'Icon=lumarc' "$prefix/share/applications/lumarc.desktop" || { echo "the entry names another icon"; status=1; }
exit $status
