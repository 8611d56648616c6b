#!/usr/bin/env bash
# Installs the build into a temporary root and checks that the installed
# program runs from there: --version, rendering its own copy of the demo
# album, and the desktop files passing their validators (when installed).
set -euo pipefail
build=$1
root=$(mktemp -d)
trap 'rm -rf "$root"' EXIT
DESTDIR="$root" cmake --install "$build" --prefix /usr >/dev/null
usr=$root/usr
id=org.quirevale.Quirevale
for f in bin/quirevale share/quirevale/default.AFM "share/quirevale/Textures/White Fur.bmp" \
         share/quirevale/help/quirevale.html share/quirevale/help/images/zones.png share/quirevale/samples/demo/Demo.ALB \
         share/applications/$id.desktop share/mime/packages/$id.xml share/metainfo/$id.metainfo.xml \
         share/icons/hicolor/scalable/apps/$id.svg share/icons/hicolor/48x48/apps/$id.png \
         share/icons/hicolor/256x256/apps/$id.png; do
  [ -e "$usr/$f" ] || { echo "not installed: $f"; exit 1; }
done
"$usr/bin/quirevale" --version | grep -q "1.0"
# Away from the build tree, so nothing can be found there by accident.
cd "$root"
QT_QPA_PLATFORM=offscreen "$usr/bin/quirevale" --render "$usr/share/quirevale/samples/demo/Demo.ALB" \
  --out "$root/render" >/dev/null
pages=$(ls "$root/render" | wc -l)
[ "$pages" -gt 5 ] || { echo "only $pages pages rendered"; exit 1; }
if command -v desktop-file-validate >/dev/null; then desktop-file-validate "$usr/share/applications/$id.desktop"; fi
if command -v appstreamcli >/dev/null; then appstreamcli validate --no-net "$usr/share/metainfo/$id.metainfo.xml" >/dev/null; fi
if command -v xmllint >/dev/null; then xmllint --noout "$usr/share/mime/packages/$id.xml"; fi
echo "installed program runs"
