#!/usr/bin/env bash
# Installs the package that scripts/package.sh built on this machine with apt-get and uses it as
# a person would: the menu entry's command on an example under Xvfb (from another folder), the
# manual with Ctrl+F1, the MIME association, man and --help. Then removes the package and checks
# that nothing of it is left under /usr. It changes the system, so it is not part of CI: run it
# as root on a Debian 12 machine where quindel is not installed. Screenshots and the program's
# log go to build-deb/instalacion/.
set -euo pipefail
cd "$(dirname "$0")/.."
repo="$PWD"
# The black-box GUI harness the project's developers share, beside the work tree.
xgui="${XGUI_LIB:-$repo/../shared/xgui/xgui.sh}"
deb="$(compgen -G 'build-deb/quindel_*.deb' | tail -1)" ||
  deb=""
[ -n "$deb" ] || { echo "install-check.sh: no package: run scripts/package.sh first" >&2; exit 2; }
[ -r "$xgui" ] || { echo "install-check.sh: no $xgui (set XGUI_LIB)" >&2; exit 2; }
if dpkg-query -W -f='${Status}' quindel 2>/dev/null | grep -q installed; then
  echo "install-check.sh: quindel is already installed; remove it first" >&2
  exit 2
fi

salida="$repo/build-deb/instalacion"
rm -rf "$salida"
mkdir -p "$salida"
work="$(mktemp -d)"
instalado=""
fin() {
  xgui_stop 2>/dev/null || true
  [ -z "$instalado" ] || DEBIAN_FRONTEND=noninteractive apt-get purge -y -qq quindel >/dev/null
  rm -rf "$work"
}
trap fin EXIT
fail() {
  echo "install-check.sh: FALLO: $*" >&2
  exit 1
}
paso() { echo "== $*"; }

paso "apt-get install ./$deb"
instalado=1
DEBIAN_FRONTEND=noninteractive apt-get install -y -qq "./$deb" >/dev/null
for programa in quindel quindel-cli; do
  [ "$(command -v "$programa")" = "/usr/bin/$programa" ] || fail "$programa is not on the PATH"
done

paso "quindel-cli --help, man quindel-cli, man quindel"
cd "$work"
quindel-cli --help | head -2
quindel-cli --version
cp "$repo/examples/expresiones.ll1" "$work/"
quindel-cli --errors expresiones.ll1
MANWIDTH=80 MANPAGER=cat man quindel-cli >"$salida/man-quindel-cli.txt"
grep -q '^ *quindel-cli - comprueba si una gramática' "$salida/man-quindel-cli.txt" || fail "man quindel-cli"
MANWIDTH=80 MANPAGER=cat man quindel >"$salida/man-quindel.txt"
grep -q '^ *quindel - ' "$salida/man-quindel.txt" || fail "man quindel"
head -12 "$salida/man-quindel-cli.txt"

paso "MIME type and its program (dpkg's triggers rebuilt the caches)"
grep ':text/x-quindel-ll1:\*\.ll1$' /usr/share/mime/globs2 || fail "no *.ll1 in the MIME database"
grep '^text/x-quindel-ll1=org\.quindel\.quindel\.desktop;' /usr/share/applications/mimeinfo.cache ||
  fail "the type is not associated with the program"
ls /usr/share/icons/hicolor/*/apps/org.quindel.quindel.*

paso "the menu entry's command, from another folder, under Xvfb"
entrada=/usr/share/applications/org.quindel.quindel.desktop
exec_linea="$(sed -n 's/^Exec=//p' "$entrada")"
echo "Exec=$exec_linea"
read -r -a orden <<<"${exec_linea/\%f/$work/expresiones.ll1}"
# No PDF viewer here: a stand-in xdg-open records what the program asks it to open.
mkdir -p "$work/falso"
cat >"$work/falso/xdg-open" <<EOF
#!/bin/sh
printf '%s\n' "\$@" >>"$work/xdg-open.txt"
EOF
chmod +x "$work/falso/xdg-open"
export PATH="$work/falso:$PATH"
export XGUI_WM="${XGUI_WM:-openbox}"
# shellcheck source=/dev/null
. "$xgui"
mkdir -p "$work/otra"
cd "$work/otra"
xgui_start || fail "Xvfb"
xgui_run "${orden[@]}" || fail "start ${orden[*]}"
xgui_wait_title '^Quindel\(1\) - expresiones\.ll1$' || fail "the window with the grammar"
xgui_shot "$salida/1-ventana.png"
xprop -display "$XGUI_DISPLAY" -id "$XGUI_WID" WM_CLASS
xgui_key F5
sleep 1
xgui_shot "$salida/2-analisis.png"
xgui_key ctrl+F1
xgui_until 5 test -s "$work/xdg-open.txt" || fail "Ctrl+F1 did not call xdg-open"
manual="$(cat "$work/xdg-open.txt")"
echo "xdg-open $manual"
[ "$manual" = "file:///usr/lib/quindel/Manual%20de%20usuario.pdf" ] || fail "xdg-open $manual"
cp "$XGUI_LOG" "$salida/quindel.log"
xgui_stop
cd "$work"

paso "apt-get remove quindel"
DEBIAN_FRONTEND=noninteractive apt-get remove -y -qq quindel >/dev/null
instalado=""
restos="$(find /usr -iname '*quindel*' 2>/dev/null)"
[ -z "$restos" ] || fail "left behind: $restos"
! grep -l quindel /usr/share/mime/globs2 /usr/share/applications/mimeinfo.cache || fail "caches"
if dpkg-query -W -f='${Status}' quindel 2>/dev/null | grep -q installed; then fail "still installed"; fi
echo "install-check.sh: all checks passed; screenshots in $salida"
