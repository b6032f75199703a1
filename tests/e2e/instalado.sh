#!/usr/bin/env bash
# The installed suite as a clerk meets it, with no checkout on the way: installs
# build/package/qvr_*.deb and its debug symbols (scripts/package makes them) without their
# Recommends, checks what they ship (dependencies, documentation, icons, symbols), then as a new
# user who is not root, with no WINDIR:
#   - the menu's road: orvelane --setup ~/qvr-demo && Lotmira, then a declaration saved;
#   - on a virtual display, the host started from the installed menu entry's Exec line and Varnel
#     from it: both main windows shown, grouped under the menu entry (WM_CLASS "orvelane");
#   - unknown options refused by every installed program;
#   - the end-to-end road on SQLite and on a throw-away PostgreSQL server (scripts/pg-test-server);
# and at the end apt-get remove, then purge, leaving nothing of the packages under /usr. The
# packages, the user and the server go away even when a check fails.
# Needs root (apt-get, useradd). Run from the checkout: tests/e2e/instalado.sh
set -euo pipefail
cd "$(dirname "$0")/../.."
CHECKOUT=$PWD
deb=$(ls "$PWD"/build/package/qvr_*.deb)
dbgsym=$(ls "$PWD"/build/package/qvr-dbgsym_*.deb)
version=$(dpkg-deb -f "$deb" Version)
export DEBIAN_FRONTEND=noninteractive
falla() { echo "FAIL: $*" >&2; exit 1; }
[ "$(id -u)" = 0 ] || falla "run as root (apt-get, useradd)"

T=$(mktemp -d)
chmod 755 "$T"
USUARIO="qvrclerk$$"
H="$T/$USUARIO"
PG="$T/pg"
instalado=0
limpia() {
  set +e
  [ -f "$T/pids" ] && while read -r p; do kill "$p" 2>/dev/null; done <"$T/pids"
  [ -d "$PG" ] && "$CHECKOUT/scripts/pg-test-server" stop "$PG"
  id "$USUARIO" >/dev/null 2>&1 && userdel --remove "$USUARIO" 2>/dev/null
  [ $instalado = 1 ] && dpkg --purge qvr-dbgsym qvr >/dev/null 2>&1
  rm -rf "$T"
}
trap limpia EXIT

# What every program of the package must not need.
apt-get install -y -qq --no-install-recommends "$deb" "$dbgsym" >/dev/null
instalado=1
paquetes="qvr qvr-dbgsym"
dpkg-query -L $paquetes | grep "^/usr/" | sort -u >"$T/archivos"

echo "== the packages"
depends=$(dpkg-deb -f "$deb" Depends)
recommends=$(dpkg-deb -f "$deb" Recommends)
for r in libqt6sql6-psql qt6-translations-l10n qt6-wayland; do
  [[ ", $recommends," == *", $r,"* ]] || falla "$r is not recommended: $recommends"
  [[ ", $depends," != *", $r"[,\ ]* ]] || falla "$r is a hard dependency: $depends"
done
[[ "$depends" == *libqt6sql6-sqlite* ]] || falla "the SQLite driver is not a dependency: $depends"
# One date in everything: the packaged files' time, the changelog's and the AppStream release's.
fecha=$(dpkg-deb -c "$deb" | awk '$6 == "./usr/bin/orvelane" {print $4}')
zcat /usr/share/doc/qvr/changelog.gz | sed -n 1p | grep -x "qvr ($version) unstable; urgency=medium" >/dev/null ||
  falla "changelog: $(zcat /usr/share/doc/qvr/changelog.gz | head -1)"
[ "$(date -u -d "$(zcat /usr/share/doc/qvr/changelog.gz | sed -n 's/^ -- .*>  //p')" +%F)" = "$fecha" ] ||
  falla "changelog date is not the packages' date $fecha"
grep -q "<release version=\"$version\" date=\"$fecha\"/>" /usr/share/metainfo/org.qvr.Orvelane.metainfo.xml ||
  falla "AppStream release of $version is not dated $fecha"
# grep reads to the end (no -q, no head): a reader that stops early makes the writer die of SIGPIPE,
# which pipefail takes for a failure, or, negated, for a pass.
zcat /usr/share/doc/qvr/README.md.gz | grep '^# QVR' >/dev/null || falla "the README is not in /usr/share/doc/qvr"
for t in 16 22 24 32 48 64 128 256 512; do
  file "/usr/share/icons/hicolor/${t}x${t}/apps/org.qvr.Orvelane.png" | grep "PNG image data, $t x $t" >/dev/null ||
    falla "no ${t}x${t} PNG icon"
done
for p in orvelane Varnel Lotmira Oskeni varnel-cli; do
  [ "$(command -v "$p")" = "/usr/bin/$p" ] || falla "$p is not the installed /usr/bin/$p"
  [ "$("$p" --version)" = "$p $version" ] || falla "$p --version: $("$p" --version)"
  man -w "$p" >/dev/null 2>&1 || falla "no manual page for $p"
  # Stripped, and its symbols found by build id in the debug package.
  id=$(readelf -n "/usr/bin/$p" | sed -n 's/.*Build ID: //p')
  [ -f "/usr/lib/debug/.build-id/${id:0:2}/${id:2}.debug" ] || falla "no debug symbols for $p ($id)"
  ! readelf -S "/usr/bin/$p" | grep '\.debug_info' >/dev/null || falla "$p is not stripped"
done
ayuda=$(Varnel --help | sed -n 's/^Ayuda: //p')
[ "$ayuda" = /usr/share/qvr/Varnel.html ] || falla "Varnel's help is '$ayuda', not the installed one"

echo "== a clerk, not root, with the menu's environment"
useradd --create-home --home-dir "$H" --shell /bin/bash "$USUARIO"
install -d -m 700 -o "$USUARIO" "$H/run"
# As the clerk, in his HOME, with nothing of this shell's environment (no WINDIR, no checkout).
como() {
  (cd "$H" && runuser -u "$USUARIO" -- env -i HOME="$H" USER="$USUARIO" LOGNAME="$USUARIO" \
    PATH=/usr/local/bin:/usr/bin:/bin LANG=C.UTF-8 XDG_RUNTIME_DIR="$H/run" "$@")
}
cp "$CHECKOUT"/tests/e2e/envio_e2e_test.sh "$CHECKOUT"/tests/e2e/opciones_desconocidas_test.sh "$T/"
chmod 644 "$T"/*.sh
como orvelane --setup "$H/qvr-demo" >/dev/null || falla "orvelane --setup ~/qvr-demo"
como QVR_DIALOGOS=consola Lotmira || falla "Lotmira exited $?"
[ "$(stat -c %U "$H/.config/qvr/NEMDAL.INI")" = "$USUARIO" ] || falla "no NEMDAL.INI of the clerk in ~/.config/qvr"
grep -q "$H/qvr-demo/" "$H/.config/qvr/NEMDAL.INI" || falla "NEMDAL.INI does not name ~/qvr-demo"
out=$(printf 'ruc=10457182363\nrectifica=0\nalquiler=2\n100=5000\npago.forma=E\n180=0\n' |
  como QVR_DIALOGOS=consola varnel-cli grabar) || falla "varnel-cli grabar exited $?"
[ "$out" = estado=0 ] || falla "grabar in the menu's environment: $out"

echo "== the windows, from the menu entry"
exec_linea=$(sed -n 's/^Exec=//p' /usr/share/applications/org.qvr.Orvelane.desktop)
# The field codes (%U, %f...) are for file managers; the entry takes none.
exec_linea=$(sed 's/ *%[a-zA-Z]//g' <<<"$exec_linea")
cat >"$T/ventanas.sh" <<FIN
set -euo pipefail
# A window whose tree line holds \$1, on screen within 30 s: prints that line.
espera() {
  local i l
  for ((i = 0; i < 150; i++)); do
    while read -r l; do
      if xwininfo -id "\${l%% *}" | grep 'Map State: IsViewable' >/dev/null; then echo "\$l"; return 0; fi
    done < <(xwininfo -root -tree | grep -F -- "\$1" || true)
    sleep 0.2
  done
  echo "FAIL: no window '\$1' on screen" >&2
  xwininfo -root -tree >&2
  return 1
}
$exec_linea &
echo \$! >>"$T/pids"
host=\$(espera '"Orvelane": (')
Varnel &
echo \$! >>"$T/pids"
modulo=\$(espera 'Impuesto a la Renta": (')
for l in "\$host" "\$modulo"; do
  # ("instance" "class"): the instance is what the menu entry's StartupWMClass names.
  [[ "\$l" == *': ("orvelane" '* ]] || { echo "FAIL: not grouped under the menu entry: \$l" >&2; exit 1; }
done
echo "windows: \$host | \$modulo"
FIN
chmod 644 "$T/ventanas.sh"
touch "$T/pids" && chmod 666 "$T/pids"
como QVR_DIALOGOS=consola xvfb-run -a -s "-screen 0 1280x1024x24" bash "$T/ventanas.sh" ||
  falla "the windows of the installed suite"
while read -r p; do kill "$p" 2>/dev/null || true; done <"$T/pids"
: >"$T/pids"

echo "== unknown options"
como bash "$T/opciones_desconocidas_test.sh"

echo "== the road on SQLite and on a PostgreSQL server"
conexion=$("$CHECKOUT/scripts/pg-test-server" start "$PG" fast)
como QVR_PG_CONNINFO="$conexion" QVR_PG_OBLIGATORIO=1 bash "$T/envio_e2e_test.sh"
"$CHECKOUT/scripts/pg-test-server" stop "$PG"

echo "== remove, then purge"
userdel --remove "$USUARIO" 2>/dev/null || falla "userdel $USUARIO"
apt-get remove -y -qq $paquetes >/dev/null || falla "apt-get remove"
# qvr-dbgsym is gone with the remove; qvr stays known to dpkg until the purge.
apt-get purge -y -qq qvr >/dev/null || falla "apt-get purge after remove"
instalado=0
for p in $paquetes; do
  ! dpkg-query -W -f='${Status}\n' "$p" 2>/dev/null | grep -v '^unknown ok not-installed$' >/dev/null ||
    falla "$p is still known to dpkg: $(dpkg-query -W -f='${Status}' "$p")"
done
# Every path the packages had is gone, but folders other packages hold too (/usr/bin...).
while read -r f; do
  [ -e "$f" ] || continue
  [ -d "$f" ] && dpkg-query -S "$f" >/dev/null 2>&1 && continue
  falla "left under /usr: $f"
done <"$T/archivos"
echo "installed suite $version: passed"
