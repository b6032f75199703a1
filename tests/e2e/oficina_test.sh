#!/usr/bin/env bash
# An office set up step by step as the README's office section says, on the test server of
# QVR_PG_CONNINFO (whose login is the server's administrator): the owner's login and database, two
# clerks' logins (createuser), the first workstation (orvelane --setup --server, Lotmira), the clerks
# registered (orvelane --add-user) and given their taxpayers, one more workstation per clerk
# (orvelane --attach through ~/.pg_service.conf). Then a DIGITADOR login (Tipo 1) reaches only his
# taxpayers in every program (varnel-cli, Oskeni, the host's sending; Lotmira is refused) and in psql:
# he reads only their rows of the declaration and annex tables, changes no other's, and the users,
# the taxpayers and the catalogs refuse his writes; the owner sees everything.
#   oficina_test.sh BINDIR   the programs of a build folder
#   oficina_test.sh          the programs found on PATH (an installed suite)
set -euo pipefail
BIN="${1:-$(dirname "$(command -v orvelane)")}"
[ -x "$BIN/orvelane" ] || { echo "FAIL: no orvelane in ${BIN:-PATH}" >&2; exit 1; }
BIN=$(cd "$BIN" && pwd)   # the workstations run from their own folders
if [ -z "${QVR_PG_CONNINFO:-}" ]; then
  [ "${QVR_PG_OBLIGATORIO:-0}" = 1 ] && { echo "FAIL: no PostgreSQL server (QVR_PG_CONNINFO)" >&2; exit 1; }
  echo "skipped: no PostgreSQL server configured (QVR_PG_CONNINFO)"
  exit 0
fi
falla() { echo "FAIL: $*" >&2; exit 1; }
valor() { sed -n "s/.*\\b$1=\\([^ ]*\\).*/\\1/p" <<<"$QVR_PG_CONNINFO"; }
SRV=$(valor host)
PUERTO=$(valor port)
ADMIN=$(valor user)
[ -n "$SRV" ] && [ -n "$PUERTO" ] && [ -n "$ADMIN" ] || falla "QVR_PG_CONNINFO lacks host, port or user: $QVR_PG_CONNINFO"

T=$(mktemp -d)
chmod 755 "$T"
N="ofi$$"
BD="$N"                   # the office's database (the README's qvr)
DUENO="${N}_dueno"        # the owner of its tables (qvr_dueno)
C1="${N}_clerk1"          # two clerks
C2="${N}_clerk2"
GRUPO="${BD}_oficina"     # their group role, named after the database
# The server's administrator (postgres in the README).
admin() { PGHOST="$SRV" PGPORT="$PUERTO" PGUSER="$ADMIN" "$@"; }
limpia() {
  set +e
  admin dropdb --force --if-exists "$BD" >/dev/null 2>&1
  for r in "$C1" "$C2" "$GRUPO" "$DUENO"; do admin dropuser --if-exists "$r" >/dev/null 2>&1; done
  rm -rf "$T"
}
trap limpia EXIT
export QVR_DIALOGOS=consola QT_QPA_PLATFORM=offscreen
unset DISPLAY WAYLAND_DISPLAY PGSERVICE PGSERVICEFILE PGUSER PGDATABASE PGHOST PGPORT
# A workstation: its own home (~/.pgpass, ~/.pg_service.conf, recovery copies) and Windows folder.
en() {
  local e=$1
  shift
  mkdir -p "$T/$e/home" "$T/$e/windows"
  install -d -m 700 "$T/$e/run"
  (cd "$T/$e/home" && HOME="$T/$e/home" WINDIR="$T/$e/windows" XDG_RUNTIME_DIR="$T/$e/run" "$@")
}
pgpass() { # WORKSTATION LOGIN: the line the README has each one write (the test server trusts its socket)
  en "$1" sh -c "umask 077 && echo '$SRV:$PUERTO:$BD:$2:secreto' >>\"\$HOME/.pgpass\""
}

echo "== the server: the owner, the database, a login per clerk"
admin createuser --createrole "$DUENO"
admin createdb -O "$DUENO" -E UTF8 --locale=C.UTF-8 -T template0 "$BD"
admin createuser "$C1"
admin createuser "$C2"
DEL_DUENO="host=$SRV port=$PUERTO dbname=$BD user=$DUENO"

echo "== the first workstation, the owner's"
pgpass ws1 "$DUENO"
en ws1 "$BIN/orvelane" --setup "$T/ws1" --server "$DEL_DUENO" >/dev/null || falla "orvelane --setup --server"
en ws1 "$BIN/Lotmira" || falla "Lotmira exited $?"
tr -d '\r' <"$T/ws1/windows/NEMDAL.INI" | grep -x "DBServer=$DEL_DUENO" >/dev/null || falla "the owner's INI: $(cat "$T/ws1/windows/NEMDAL.INI")"
for c in "$C1" "$C2"; do
  out=$(en ws1 "$BIN/orvelane" --add-user "$c" --type 1 --server "$DEL_DUENO") || falla "--add-user $c"
  [[ "$out" == *"$c"* ]] || falla "--add-user $c: $out"
done
# The taxpayers a Tipo 1 clerk types are those CONT gives his login; the owner sets them.
RUC_DUENO=10457182363 RUC_C1=10405060707 RUC_C2=10789012348
psql -X -q -v ON_ERROR_STOP=1 "$DEL_DUENO" \
  -c "UPDATE CONT SET usuario = '$C1' WHERE doc_id_d = '$RUC_C1'" \
  -c "UPDATE CONT SET usuario = '$C2' WHERE doc_id_d = '$RUC_C2'"

echo "== one more workstation per clerk"
for e in ws2:"$C1" ws3:"$C2"; do
  ws=${e%%:*} login=${e#*:}
  pgpass "$ws" "$login"
  en "$ws" sh -c "printf '[qvr]\nhost=%s\nport=%s\ndbname=%s\nuser=%s\n' '$SRV' '$PUERTO' '$BD' '$login' >\"\$HOME/.pg_service.conf\""
  # Setting up again is refused and names the road that is taken next.
  if err=$(en "$ws" "$BIN/orvelane" --setup "$T/$ws" --server service=qvr 2>&1); then falla "--setup over the office accepted"; fi
  [[ "$err" == *"orvelane --attach"* ]] || falla "the refusal names no --attach: $err"
  out=$(en "$ws" "$BIN/orvelane" --attach "$T/$ws" --server service=qvr) || falla "--attach at $ws"
  [[ "$out" == *"Usuario: $login"* && "$out" != *Aviso* ]] || falla "--attach at $ws: $out"
  tr -d '\r' <"$T/$ws/windows/NEMDAL.INI" | grep -x 'DBServer=service=qvr' >/dev/null || falla "the INI of $ws"
done
[ "$(psql -X -At "$DEL_DUENO" -c 'SELECT COUNT(*) FROM CONT')" = 6 ] || falla "the attached workstations changed CONT"

echo "== declarations, each from its workstation"
graba() { # WORKSTATION RUC: saves a consistent declaration; prints what varnel-cli printed
  printf 'ruc=%s\nrectifica=0\nalquiler=2\n100=5000\npago.forma=E\n180=0\n' "$2" | en "$1" "$BIN/varnel-cli" grabar
}
[ "$(graba ws1 "$RUC_DUENO")" = estado=0 ] || falla "the owner's save"
[ "$(graba ws2 "$RUC_C1")" = estado=0 ] || falla "clerk 1's save"
[ "$(graba ws3 "$RUC_C2")" = estado=0 ] || falla "clerk 2's save"
# Annex rows of three taxpayers, through psql: the owner's, and each clerk his own.
dividendo() { echo "INSERT INTO F0738DIVIDEND (tip_doc_d, doc_id_d, periodo, formulario, num_RUC, fec_retenida) VALUES (6, '$1', '2003', '0738', '20100066603', '2003-01-01')"; }
psql -X -q -v ON_ERROR_STOP=1 "$DEL_DUENO" -c "$(dividendo "$RUC_DUENO")"
en ws2 psql -X -q -v ON_ERROR_STOP=1 service=qvr -c "$(dividendo "$RUC_C1")"
en ws3 psql -X -q -v ON_ERROR_STOP=1 service=qvr -c "$(dividendo "$RUC_C2")"

echo "== a DIGITADOR login in every program"
ajeno=$(graba ws2 "$RUC_DUENO" 2>&1) && falla "clerk 1 saved the owner's taxpayer: $ajeno"
[[ "$ajeno" == *"no está entre los que el usuario $C1 puede elegir"* ]] || falla "grabar of another's: $ajeno"
ajeno=$(en ws2 "$BIN/varnel-cli" mostrar "$RUC_C2" 2>&1) && falla "clerk 1 read clerk 2's declaration: $ajeno"
[[ "$ajeno" != *"100="* ]] || falla "mostrar of another's shows boxes: $ajeno"
ajeno=$(en ws2 "$BIN/varnel-cli" imprimir "$RUC_DUENO" 2>&1) && falla "clerk 1 printed the owner's declaration: $ajeno"
[[ "$ajeno" == *"no está entre los que el usuario $C1 puede elegir"* ]] || falla "imprimir of another's: $ajeno"
en ws2 "$BIN/varnel-cli" mostrar "$RUC_C1" | grep -x '100=5,000' >/dev/null || falla "clerk 1's own declaration"
en ws1 "$BIN/varnel-cli" mostrar "$RUC_C1" | grep -x '100=5,000' >/dev/null || falla "the owner does not see clerk 1's declaration"
# Oskeni finds no stored declaration of a taxpayer that is not his.
oskeni() { printf '  %-15s0738200300012345678' "$1"; }
ajeno=$(en ws2 "$BIN/Oskeni" "$(oskeni "$RUC_DUENO")" 2>&1) && falla "Oskeni summed up the owner's declaration"
[[ "$ajeno" == *"No existe data para Generar Reporte de Envio!!!"* ]] || falla "Oskeni of another's: $ajeno"
en ws2 "$BIN/Oskeni" "$(oskeni "$RUC_C1")" || falla "Oskeni of clerk 1's own declaration"
# The host's sending sends his declaration only.
envio=$(en ws2 "$BIN/orvelane" --enviar) || falla "orvelane --enviar as clerk 1: $envio"
[ "$(cut -d' ' -f1 <<<"$envio")" = "$RUC_C1" ] || falla "clerk 1 sent: $envio"
# The installer is the owner's: one line, nothing changed.
st=0
err=$(en ws2 "$BIN/Lotmira" 2>&1) || st=$?
[ "$st" = 5 ] || falla "Lotmira as a clerk exited $st: $err"
[ "$(grep -c . <<<"$err")" = 1 ] || falla "Lotmira as a clerk said more than one line: $err"

echo "== a DIGITADOR login in psql"
# SQL as clerk 1 at his workstation: only the answer, or the error with its SQLSTATE.
c1() { en ws2 psql -X -q -At -v ON_ERROR_STOP=1 -v VERBOSITY=verbose service=qvr -c "$1" 2>&1; }
duenio() { psql -X -q -At -v ON_ERROR_STOP=1 "$DEL_DUENO" -c "$1"; }
for t in CAB DET hCAB hDET F0738DIVIDEND; do
  vistos=$(c1 "SELECT string_agg(DISTINCT doc_id_d, ',') FROM $t")
  [ "$vistos" = "$RUC_C1" ] || falla "clerk 1 reads in $t: $vistos"
done
[ "$(en ws3 psql -X -At service=qvr -c 'SELECT string_agg(DISTINCT doc_id_d, $$,$$) FROM CAB')" = "$RUC_C2" ] ||
  falla "clerk 2 reads other declarations"
antes=$(duenio "SELECT (SELECT COUNT(*) FROM CAB), (SELECT COUNT(*) FROM DET), (SELECT COUNT(*) FROM F0738DIVIDEND), (SELECT string_agg(estado::text, ',' ORDER BY doc_id_d) FROM CAB)")
# The rows of other taxpayers are not there for him: nothing to change or delete.
for sql in "UPDATE CAB SET estado = 9 WHERE doc_id_d <> '$RUC_C1'" "DELETE FROM DET WHERE doc_id_d <> '$RUC_C1'" \
  "DELETE FROM F0738DIVIDEND WHERE doc_id_d = '$RUC_C2'" "UPDATE hCAB SET estado = 9 WHERE doc_id_d <> '$RUC_C1'"; do
  out=$(c1 "$sql") || falla "$sql: $out"
done
[ "$(duenio "SELECT (SELECT COUNT(*) FROM CAB), (SELECT COUNT(*) FROM DET), (SELECT COUNT(*) FROM F0738DIVIDEND), (SELECT string_agg(estado::text, ',' ORDER BY doc_id_d) FROM CAB)")" = "$antes" ] ||
  falla "clerk 1 changed other taxpayers' rows"
# Writing a row of another taxpayer, or the users, the taxpayers and the catalogs: refused as a
# permission refusal (42501).
for sql in "$(dividendo "$RUC_DUENO")" "UPDATE CAB SET doc_id_d = '$RUC_DUENO' WHERE doc_id_d = '$RUC_C1'" \
  "UPDATE CLAVES SET Tipo = '0'" "INSERT INTO CLAVES (Usuario, Tipo) VALUES ('otro', '0')" \
  "UPDATE CONT SET usuario = '$C1'" "DELETE FROM PARAM" "UPDATE ERROR SET mensaje = ''" "DELETE FROM REPORTES" \
  "DELETE FROM envio_t"; do
  if out=$(c1 "$sql"); then falla "clerk 1 was let: $sql"; fi
  [[ "$out" == *"ERROR:  42501:"* ]] || falla "not a permission refusal: $sql: $out"
done
# The users are readable, and no password is kept in them.
[ "$(c1 "SELECT COUNT(*) FROM CLAVES WHERE COALESCE(Clave, '') <> ''")" = 0 ] || falla "CLAVES keeps passwords"
[ "$(c1 "SELECT Tipo FROM CLAVES WHERE Usuario = '$C1'")" = 1 ] || falla "clerk 1's CLAVES row"
# The owner sees every taxpayer's rows.
[ "$(duenio "SELECT string_agg(DISTINCT doc_id_d, ',' ORDER BY doc_id_d) FROM CAB")" = "$RUC_C1,$RUC_DUENO,$RUC_C2" ] ||
  falla "the owner's CAB"
[ "$(duenio "SELECT COUNT(DISTINCT doc_id_d) FROM F0738DIVIDEND")" = 3 ] || falla "the owner's annex rows"
echo "office road: passed"
