#!/usr/bin/env bash
# End to end without a display: demo environment → installer → a consistent declaration saved with
# varnel-cli → the host's sending → the send summary → the sent declaration shown → its order
# number registered (right check digits stored, wrong ones refused). Run on the SQLite file and on the
# PostgreSQL server of QVR_PG_CONNINFO (a fresh schema), whose unreachable twin must end varnel-cli
# with a non-zero status and a clear message.
#   envio_e2e_test.sh BINDIR   the programs of a build folder
#   envio_e2e_test.sh          the programs found on PATH (an installed suite)
set -euo pipefail
BIN="${1:-$(dirname "$(command -v orvelane)")}"
[ -x "$BIN/orvelane" ] || { echo "FAIL: no orvelane in ${BIN:-PATH}" >&2; exit 1; }
T0=$(mktemp -d)
ESQUEMA="e2e_$$"
limpia() {
  rm -rf "$T0"
  [ -n "${QVR_PG_CONNINFO:-}" ] && psql -X -q "$QVR_PG_CONNINFO" -c "DROP SCHEMA IF EXISTS $ESQUEMA CASCADE" >/dev/null 2>&1
  true
}
trap limpia EXIT
export QVR_DIALOGOS=consola QT_QPA_PLATFORM=offscreen
unset DISPLAY WAYLAND_DISPLAY
falla() { echo "FAIL ($MOTOR): $*" >&2; exit 1; }

recorrido() {
  MOTOR=$1
  T="$T0/$MOTOR"
  mkdir -p "$T"
  export WINDIR="$T/windows"
  if [ "$MOTOR" = postgresql ]; then
    psql -X -q "$QVR_PG_CONNINFO" -c "CREATE SCHEMA $ESQUEMA" >/dev/null
    "$BIN/orvelane" --setup "$T/demo" --server "$QVR_PG_CONNINFO options='-c search_path=$ESQUEMA'" >/dev/null
  else
    "$BIN/orvelane" --setup "$T/demo" >/dev/null
  fi
  "$BIN/Lotmira" || falla "Lotmira exited $?"
  RUC=10457182363   # a demo taxpayer of user ADMIN

  out=$(printf 'ruc=%s\nrectifica=0\nalquiler=2\n100=5000\npago.forma=E\n180=0\n' "$RUC" | "$BIN/varnel-cli" grabar)
  echo "$out" | grep -x 'estado=0' >/dev/null || falla "grabar: $out"

  envio=$("$BIN/orvelane" --enviar)
  read -r ruc correl control <<<"$envio"
  [ "$ruc" = "$RUC" ] && [ "$correl" = 1 ] && [ ${#control} = 8 ] || falla "enviar: $envio"
  base="07382003000${control}"
  [ -f "$T/demo/sys/RPT/$base.PRN" ] || falla "no $base.PRN"
  [ -f "$T/demo/sys/TMP/$base.txt" ] || falla "no $base.txt"
  grep -q "DOCUMENTO      : $RUC" "$T/demo/sys/TMP/$base.txt" || falla "summary text"

  shown=$("$BIN/varnel-cli" mostrar "$RUC" --correl 1)
  echo "$shown" | grep -x '100=5,000' >/dev/null || falla "mostrar: $shown"

  # The check digits, worked out here: modulus 11 with weights 2..7 from the right.
  mod11() {
    local s=$1 sum=0 w=2 i d
    for ((i=${#s}-1; i>=0; i--)); do
      d=${s:i:1}; [[ $d =~ [0-9] ]] || d=0
      sum=$((sum + w*d)); w=$((w==7 ? 2 : w+1))
    done
    d=$((11 - sum % 11)); [ $d = 11 ] && d=1; [ $d = 10 ] && d=0
    echo "$d"
  }
  ORDEN=12345678
  b=$(mod11 "$control")
  e=$(mod11 "${control}${ORDEN}${b}")
  if "$BIN/varnel-cli" orden "$RUC" --correl 1 --orden "$ORDEN" --digitos "$(( (b + 1) % 10 ))${e}" 2>/dev/null; then falla "wrong digits accepted"; fi
  if "$BIN/varnel-cli" orden "$RUC" --correl 1 --orden 1234567 --digitos "$b$e" 2>/dev/null; then falla "7-digit order accepted"; fi
  "$BIN/varnel-cli" orden "$RUC" --correl 1 --orden "$ORDEN" --digitos "$b$e" || falla "right digits refused"
  stored=$("$BIN/varnel-cli" mostrar "$RUC" --correl 1 | grep '^orden=') || true
  [ "$stored" = "orden=$ORDEN" ] || falla "order number not stored: $stored"
}

recorrido sqlite
pasadas=1
if [ -n "${QVR_PG_CONNINFO:-}" ]; then
  recorrido postgresql
  pasadas=2
  # A server that is not there: the message on standard error, a non-zero status.
  sed -i 's|^DBServer=.*|DBServer=host=/no/existe port=5999 dbname=qvr|' "$WINDIR/NEMDAL.INI"
  if err=$(printf 'ruc=%s\n' "$RUC" | "$BIN/varnel-cli" grabar 2>&1 >/dev/null); then falla "unreachable server accepted"; fi
  echo "$err" | grep "No se puede conectar con el servidor de base de datos" >/dev/null || falla "unreachable message: $err"
elif [ "${QVR_PG_OBLIGATORIO:-0}" = 1 ]; then
  echo "FAIL: no PostgreSQL server (QVR_PG_CONNINFO)" >&2
  exit 1
else
  echo "PostgreSQL run skipped: no server configured (QVR_PG_CONNINFO)"
fi
echo "$pasadas passed, 0 failed"
