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
# The file types as the desktop tells them, by name and content: look files
# and font metrics share .afm, album data and other XML share .xml.
mkdir -p "$root/xdg/mime/packages" "$root/types"
cp "$usr/share/mime/packages/$id.xml" "$root/xdg/mime/packages/"
update-mime-database "$root/xdg/mime" 2>/dev/null
cd "$root/types"
printf 'FormLeft=80\r\n' | tee LOOK.AFM >vzhled.afm
printf 'StartFontMetrics 4.1\n' | tee FONT.AFM >font.afm
printf '<?xml version="1.0"?>\r\n<!DOCTYPE album2 SYSTEM "a.dtd">\r\n<album2 dir="x">\r\n' >data.XML
printf '<?xml version="1.0"?>\n<other/>\n' >other.xml
printf 'DataFile=data.XML\r\n' >a.ALB
while read -r file type; do
  by_gio=$(XDG_DATA_HOME=$root/xdg GIO_USE_VFS=local gio info -a standard::content-type "$file" |
    awk '/content-type/{print $2}')
  by_xdg=$(XDG_DATA_HOME=$root/xdg XDG_CURRENT_DESKTOP=GNOME xdg-mime query filetype "$file")
  [ "$by_gio" = "$type" ] && [ "$by_xdg" = "$type" ] ||
    { echo "$file: gio says $by_gio, xdg-mime $by_xdg, not $type"; exit 1; }
done <<'TYPES'
LOOK.AFM application/x-quirevale-album-format
vzhled.afm application/x-quirevale-album-format
FONT.AFM application/x-font-afm
font.afm application/x-font-afm
data.XML application/x-quirevale-album-data
other.xml application/xml
a.ALB application/x-quirevale-album
TYPES
echo "installed program runs"
