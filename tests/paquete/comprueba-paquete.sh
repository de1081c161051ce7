#!/bin/sh
# The Debian package, checked without installing it: built from this build
# tree into a scratch folder, it must hold the programs (in /usr/games), the
# desktop entry, the icons, the metainfo, the manual pages, the licence and
# the changelog; the entry and the metainfo pass their validators there,
# next to the icons they name; the Qt libraries are among the computed
# dependencies; and Debian's own checker finds nothing to say.
#   comprueba-paquete.sh SOURCE_DIR BUILD_DIR
set -eu
fuente=$1
build=$2
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT
fallos=0
falla() { echo "FALLO: $*"; fallos=$((fallos + 1)); }

id=org.example.parchis
desktop-file-validate "$fuente/resources/paquete/$id.desktop" || falla "desktop-file-validate"

(cd "$build" && cpack -G DEB -B "$tmp/cpack") > "$tmp/cpack.log" 2>&1 || { cat "$tmp/cpack.log"; exit 1; }
deb=$(ls "$tmp"/cpack/*.deb)
dpkg-deb --contents "$deb" | awk '{ print $6 }' > "$tmp/contenido"
for f in games/parchis games/parchis-texto games/parchis-sala share/applications/$id.desktop \
         share/metainfo/$id.metainfo.xml share/icons/hicolor/scalable/apps/$id.svg \
         share/man/man6/parchis.6.gz share/man/man6/parchis-texto.6.gz share/man/man6/parchis-sala.6.gz \
         share/doc/parchis/copyright share/doc/parchis/changelog.gz; do
    grep -qx "./usr/$f" "$tmp/contenido" || falla "falta /usr/$f"
done
for lado in 16 32 48 64 128 256; do
    grep -qx "./usr/share/icons/hicolor/${lado}x$lado/apps/$id.png" "$tmp/contenido" || falla "falta el icono de $lado"
done

dpkg-deb -x "$deb" "$tmp/raiz"
appstreamcli validate-tree --no-net "$tmp/raiz" || falla "appstreamcli validate-tree"
desktop-file-validate "$tmp/raiz/usr/share/applications/$id.desktop" || falla "desktop-file-validate (paquete)"
file "$tmp/raiz/usr/share/icons/hicolor/48x48/apps/$id.png" | grep -q "48 x 48" || falla "el icono de 48 no mide 48"
for pagina in parchis-texto parchis-sala; do
    man --warnings -l "$tmp/raiz/usr/share/man/man6/$pagina.6.gz" 2>&1 >/dev/null | grep . && falla "avisos de man ($pagina)"
done
depende=$(dpkg-deb -f "$deb" Depends)
for lib in libqt6widgets6 libqt6multimedia6 libqt6svg6 libc6; do
    echo "$depende" | grep -q "$lib" || falla "no depende de $lib: $depende"
done

# Errors and warnings alike; informational tags are not reported.
lintian --fail-on error,warning "$deb" > "$tmp/lintian" 2>&1 \
    || { cat "$tmp/lintian"; falla "lintian"; }

echo "$(basename "$deb"): $(wc -l < "$tmp/contenido") entradas; depende de: $depende"
[ "$fallos" -eq 0 ]
