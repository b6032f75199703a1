#!/usr/bin/env bash
# The installed suite with no checkout: installs build/package/qvr_*.deb (scripts/package makes it),
# runs the end-to-end road against the programs on PATH in a temporary HOME, checks that every
# program answers --version with the suite's version, that Varnel finds its installed help and
# that the manual pages are there; the package is removed again even when a check fails.
# Needs root (apt-get). Run from the checkout: tests/e2e/instalado.sh
set -euo pipefail
cd "$(dirname "$0")/../.."
deb=$(ls "$PWD"/build/package/qvr_*.deb)
road="$PWD/tests/e2e/envio_e2e_test.sh"
version=$(dpkg-deb -f "$deb" Version)
export DEBIAN_FRONTEND=noninteractive
quita() { apt-get remove -y -qq qvr >/dev/null || echo "FAIL: apt-get remove qvr" >&2; }
trap quita EXIT
apt-get install -y -qq "$deb" >/dev/null
falla() { echo "FAIL: $*" >&2; exit 1; }

# Nothing of the checkout on the way: a temporary HOME and working folder, the system PATH.
T=$(mktemp -d)
trap 'quita; rm -rf "$T"' EXIT
cd "$T"
export HOME="$T/home" PATH=/usr/local/sbin:/usr/local/bin:/usr/sbin:/usr/bin:/sbin:/bin
unset XDG_CONFIG_HOME
mkdir -p "$HOME"

for p in orvelane Varnel Lotmira Oskeni varnel-cli; do
  [ "$(command -v "$p")" = "/usr/bin/$p" ] || falla "$p is not the installed /usr/bin/$p"
  [ "$("$p" --version)" = "$p $version" ] || falla "$p --version: $("$p" --version)"
  man -w "$p" >/dev/null 2>&1 || falla "no manual page for $p"
done
ayuda=$(Varnel --help | sed -n 's/^Ayuda: //p')
[ "$ayuda" = /usr/share/qvr/Varnel.html ] || falla "Varnel's help is '$ayuda', not the installed one"

bash "$road"
echo "installed suite $version: passed"
