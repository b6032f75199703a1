#!/usr/bin/env bash
# Every option a program's --help lists (and every command of varnel-cli) is in its manual page,
# and the pages cover the set-up of an office's server.
#   manuales_test.sh BINDIR
set -euo pipefail
BIN="${1:?BINDIR}"
MAN="$(cd "$(dirname "$0")/../../packaging/man" && pwd)"
T=$(mktemp -d)
trap 'rm -rf "$T"' EXIT
falla() { echo "FAIL: $*" >&2; exit 1; }
export QT_QPA_PLATFORM=offscreen
n=0
# The page as text: groff's escaped hyphens and font changes undone.
pagina() { sed -e 's/\\-/-/g' -e 's/\\f[BIRP]//g' "$MAN/$1.1"; }
for p in Varnel Lotmira Oskeni orvelane varnel-cli; do
  "$BIN/$p" --help >"$T/ayuda" 2>&1 || falla "$p --help exited $?"
  grep -qE '^Uso:' "$T/ayuda" || falla "$p --help has no Spanish usage line: $(head -3 "$T/ayuda")"
  pagina "$p" >"$T/pagina"
  for o in $(grep -oE -- '--[a-z][a-z0-9-]*' "$T/ayuda" | sort -u); do
    grep -qF -- "$o" "$T/pagina" || falla "$p: $o is in --help but not in $p.1"
  done
  for clave in DBServer .pgpass; do
    grep -qF -- "$clave" "$T/pagina" || falla "$p.1 says nothing of $clave"
  done
  n=$((n + 1))
done
# varnel-cli: each command it lists has its entry.
pagina varnel-cli >"$T/pagina"
for c in $(grep -oE '^  varnel-cli [a-z]+' "$T/ayuda" | awk '{print $2}'); do
  grep -qE "^\.B $c( |$)" "$T/pagina" || falla "varnel-cli $c is not in varnel-cli.1"
done
# The server set-up: orvelane's page names each of its steps.
pagina orvelane >"$T/pagina"
for clave in --server --attach --add-user --type DBServer .pgpass PGPASSFILE createuser; do
  grep -qF -- "$clave" "$T/pagina" || falla "orvelane.1 says nothing of $clave"
done
echo "$n passed, 0 failed"
