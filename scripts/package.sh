#!/usr/bin/env bash
# Builds the Debian package into build-deb/ as Debian builds its own (dpkg-buildflags, hardened,
# no tests or benchmarks) and checks it: the desktop entry, MIME type and metainfo validators,
# the package's fields and contents, lintian (errors and warnings fail), and quindel-cli run
# from the package unpacked into a scratch root. Prints the package's path last.
set -euo pipefail
cd "$(dirname "$0")/.."
repo="$PWD"
scripts/setup.sh

export DEB_BUILD_MAINT_OPTIONS=hardening=+all
# CMake reads no CPPFLAGS: the preprocessor flags (_FORTIFY_SOURCE) go with the compiler's.
CXXFLAGS="$(dpkg-buildflags --get CXXFLAGS) $(dpkg-buildflags --get CPPFLAGS)" \
  LDFLAGS="$(dpkg-buildflags --get LDFLAGS)" \
  cmake -S . -B build-deb -DCMAKE_BUILD_TYPE=RelWithDebInfo -DQUINDEL_WERROR=ON \
  -DBUILD_TESTING=OFF -DQUINDEL_BENCH=OFF >/dev/null
cmake --build build-deb -j"$(nproc)"
rm -f build-deb/quindel_*.deb
(cd build-deb && cpack -G DEB >/dev/null)
version="$(sed -n 's/^CMAKE_PROJECT_VERSION:STATIC=//p' build-deb/CMakeCache.txt)"
deb="build-deb/quindel_${version}_$(dpkg --print-architecture).deb"

work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
fail() {
  echo "package.sh: $*" >&2
  exit 1
}

echo "== $deb: fields"
dpkg-deb --info "$deb"
campo() { dpkg-deb --field "$deb" "$1"; }
[ "$(campo Version)" = "$version" ] || fail "Version is $(campo Version), not $version"
depends="$(campo Depends)"
for dependencia in xdg-utils libqt6widgets6 libqt6gui6 libqt6core6 libqt6printsupport6 libqt6svg6; do
  grep -qE "(^|, )$dependencia( |,|$)" <<<"$depends" || fail "Depends lacks $dependencia"
done

echo "== contents"
dpkg-deb --contents "$deb" | awk '{ $1 = $2 = $3 = $4 = $5 = ""; sub(/^ +/, ""); print }' \
  >"$work/contenido"
cat "$work/contenido"
for entrada in \
  './usr/bin/quindel -> ../lib/quindel/quindel' \
  ./usr/bin/quindel-cli \
  ./usr/lib/quindel/quindel \
  './usr/lib/quindel/Manual de usuario.pdf' \
  ./usr/share/applications/org.quindel.quindel.desktop \
  ./usr/share/mime/packages/quindel.xml \
  ./usr/share/metainfo/org.quindel.quindel.metainfo.xml \
  ./usr/share/icons/hicolor/scalable/apps/org.quindel.quindel.svg \
  ./usr/share/icons/hicolor/{16x16,24x24,32x32,48x48,64x64,128x128,256x256,512x512}/apps/org.quindel.quindel.png \
  ./usr/share/man/man1/quindel.1.gz \
  ./usr/share/man/man1/quindel-cli.1.gz \
  ./usr/share/doc/quindel/copyright \
  ./usr/share/doc/quindel/changelog.gz; do
  grep -qxF "$entrada" "$work/contenido" || fail "the package lacks $entrada"
done

raiz="$work/raiz"
dpkg -x "$deb" "$raiz"
usr="$raiz/usr"

echo "== validators"
desktop-file-validate "$usr/share/applications/org.quindel.quindel.desktop"
grep -qx 'Exec=quindel %f' "$usr/share/applications/org.quindel.quindel.desktop" ||
  fail "the desktop entry does not open files with quindel"
xmllint --noout "$usr/share/mime/packages/quindel.xml"
# The MIME database built from the package alone must map *.ll1 to the type, under text/plain.
mkdir -p "$work/mime/packages"
cp "$usr/share/mime/packages/quindel.xml" "$work/mime/packages/"
update-mime-database "$work/mime" 2>/dev/null
grep -q ':text/x-quindel-ll1:\*\.ll1$' "$work/mime/globs2" || fail "no glob *.ll1 in the MIME database"
grep -qx 'text/x-quindel-ll1 text/plain' "$work/mime/subclasses" || fail "not a text/plain subclass"
appstreamcli validate --no-net --pedantic "$usr/share/metainfo/org.quindel.quindel.metainfo.xml"
# The entry, the metainfo and the icons together, as a software centre reads them.
appstreamcli validate-tree --no-net "$raiz"
# The screenshots the metainfo names are the ones the web component publishes.
web="$(sed -n 's/^QUINDEL_WEB:STRING=//p' build-deb/CMakeCache.txt)"
cmake --install build-deb --component web --prefix "$work/web" >/dev/null
grep -o "<image>[^<]*</image>" "$usr/share/metainfo/org.quindel.quindel.metainfo.xml" |
  sed 's|<[^>]*>||g' | while read -r url; do
  [ -s "$work/web/${url#"$web"/}" ] || fail "no file for the screenshot $url"
done
grep -q "<release version=\"$version\"" "$usr/share/metainfo/org.quindel.quindel.metainfo.xml" ||
  fail "the metainfo has no release $version"
[[ "$(zcat "$usr/share/doc/quindel/changelog.gz" | sed -n 1p)" == "quindel ($version) "* ]] ||
  fail "packaging/changelog does not start with version $version"

echo "== lintian"
lintian --fail-on error,warning "$deb"

echo "== quindel-cli from the unpacked package"
[ "$("$usr/bin/quindel-cli" --version)" = "quindel-cli $version" ] || fail "quindel-cli --version"
(cd "$work" && "$usr/bin/quindel-cli" "$repo/examples/expresiones.ll1" >/dev/null) ||
  fail "quindel-cli does not analyse an example"
[ "$(readlink -f "$usr/bin/quindel")" = "$usr/lib/quindel/quindel" ] || fail "bin/quindel"
for pagina in quindel quindel-cli; do
  avisos="$(man --warnings -l "$usr/share/man/man1/$pagina.1.gz" 2>&1 >/dev/null)"
  [ -z "$avisos" ] || fail "man reports problems in $pagina.1: $avisos"
done

echo "package: $(du -k "$deb" | cut -f1) KiB, installed $(campo Installed-Size) KiB"
echo "$deb"
