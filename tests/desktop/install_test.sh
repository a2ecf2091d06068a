#!/usr/bin/env bash
# cmake --install into a temporary prefix: the program, the desktop entry, the
# metainfo and both icons are there, and the installed program starts and is
# still running a few seconds later (it has no command line, so a timeout ends it).
set -euo pipefail
build=$1 app_id=$2
prefix=$(mktemp -d)
trap 'rm -rf "$prefix"' EXIT
cmake --install "$build" --prefix "$prefix" >/dev/null

for file in bin/udalenie-dubley \
            share/applications/$app_id.desktop \
            share/metainfo/$app_id.metainfo.xml \
            share/icons/hicolor/scalable/apps/$app_id.svg \
            share/icons/hicolor/128x128/apps/$app_id.png; do
  [ -f "$prefix/$file" ] || { echo "FAIL: $file is not installed" >&2; exit 1; }
done
[ -x "$prefix/bin/udalenie-dubley" ] || { echo "FAIL: the program is not executable" >&2; exit 1; }

status=0
(cd "$prefix" && QT_QPA_PLATFORM=offscreen timeout 3 "$prefix/bin/udalenie-dubley") || status=$?
[ "$status" -eq 124 ] || { echo "FAIL: the installed program ended with status $status" >&2; exit 1; }
echo "PASS: installed and running"
