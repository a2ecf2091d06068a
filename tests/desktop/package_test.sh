#!/usr/bin/env bash
# cpack -G DEB: the package holds the program and the desktop files, and
# depends on Qt's runtime libraries.
set -euo pipefail
build=$1 app_id=$2
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
(cd "$work" && cpack -G DEB --config "$build/CPackConfig.cmake" >/dev/null)
package=$(ls "$work"/*.deb)
listing=$(dpkg-deb -c "$package")
for file in ./usr/bin/udalenie-dubley \
            ./usr/share/applications/$app_id.desktop \
            ./usr/share/metainfo/$app_id.metainfo.xml \
            ./usr/share/icons/hicolor/scalable/apps/$app_id.svg \
            ./usr/share/icons/hicolor/128x128/apps/$app_id.png; do
  grep -q " $file\$" <<<"$listing" || { echo "FAIL: $file is not in the package" >&2; exit 1; }
done
depends=$(dpkg-deb -f "$package" Depends)
grep -q 'libqt6widgets6' <<<"$depends" || { echo "FAIL: no dependency on Qt Widgets: $depends" >&2; exit 1; }
[ -n "$(dpkg-deb -f "$package" Maintainer)" ] || { echo "FAIL: no maintainer" >&2; exit 1; }
echo "PASS: $(basename "$package")"
