#!/usr/bin/env bash
# End to end without a display: demo environment → installer → a consistent declaration saved with
# varnel-cli → the host's sending → the send summary → the sent declaration shown → its order
# number registered (right check digits stored, wrong ones refused).
#   envio_e2e_test.sh BINDIR   the programs of a build folder
#   envio_e2e_test.sh          the programs found on PATH (an installed suite)
set -euo pipefail
BIN="${1:-$(dirname "$(command -v orvelane)")}"
[ -x "$BIN/orvelane" ] || { echo "FAIL: no orvelane in ${BIN:-PATH}" >&2; exit 1; }
T=$(mktemp -d)
trap 'rm -rf "$T"' EXIT
export WINDIR="$T/windows" QVR_DIALOGOS=consola QT_QPA_PLATFORM=offscreen
unset DISPLAY WAYLAND_DISPLAY
falla() { echo "FAIL: $*" >&2; exit 1; }

"$BIN/orvelane" --setup "$T/demo" >/dev/null
"$BIN/Lotmira" || falla "Lotmira exited $?"
RUC=10457182363   # a demo taxpayer of user ADMIN
DB="$T/demo/sys/NEMDAL.MDB"

out=$(printf 'ruc=%s\nrectifica=0\nalquiler=2\n100=5000\npago.forma=E\n180=0\n' "$RUC" | "$BIN/varnel-cli" grabar)
echo "$out" | grep -qx 'estado=0' || falla "grabar: $out"

envio=$("$BIN/orvelane" --enviar)
read -r ruc correl control <<<"$envio"
[ "$ruc" = "$RUC" ] && [ "$correl" = 1 ] && [ ${#control} = 8 ] || falla "enviar: $envio"
base="07382003000${control}"
[ -f "$T/demo/sys/RPT/$base.PRN" ] || falla "no $base.PRN"
[ -f "$T/demo/sys/TMP/$base.txt" ] || falla "no $base.txt"
grep -q "DOCUMENTO      : $RUC" "$T/demo/sys/TMP/$base.txt" || falla "summary text"

shown=$("$BIN/varnel-cli" mostrar "$RUC" --correl 1)
echo "$shown" | grep -qx '100=5,000' || falla "mostrar: $shown"

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
echo "1 passed, 0 failed"
