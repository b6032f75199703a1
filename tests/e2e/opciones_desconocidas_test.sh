#!/usr/bin/env bash
# Every program refuses a word it does not know (an option such as --dry-run) with exit status 2
# and a usage line, before it touches anything: the environment, its database and NEMDAL.INI stay
# byte for byte and time for time as they were (Lotmira does not reinstall the tables, Oskeni does
# not write the INI, Varnel needs no display to say so).
#   opciones_desconocidas_test.sh BINDIR   the programs of a build folder
#   opciones_desconocidas_test.sh          the programs found on PATH (an installed suite)
set -euo pipefail
BIN="${1:-$(dirname "$(command -v orvelane)")}"
[ -x "$BIN/orvelane" ] || { echo "FAIL: no orvelane in ${BIN:-PATH}" >&2; exit 1; }
T=$(mktemp -d)   # the environment, looked at before and after
O=$(mktemp -d)   # what the programs print
trap 'rm -rf "$T" "$O"' EXIT
falla() { echo "FAIL: $*" >&2; exit 1; }
export HOME="$T/home" WINDIR="$T/windows" XDG_DATA_HOME="$T/datos" QVR_RUNTIME_DIR="$T/run" QVR_DIALOGOS=consola
unset DISPLAY WAYLAND_DISPLAY QT_QPA_PLATFORM XDG_CONFIG_HOME
mkdir -p "$HOME" "$QVR_RUNTIME_DIR"
"$BIN/orvelane" --setup "$T/demo" >/dev/null
"$BIN/Lotmira" 2>/dev/null || falla "Lotmira exited $?"
# Let a second's worth of time pass, so that a rewritten file shows in its time too.
sleep 1

foto() { (cd "$T" && find . -printf '%p %s %T@ %m\n' | sort && find . -type f -exec sha256sum {} + | sort); }
antes=$(foto)

# Program and arguments, one case a line.
casos=(
  "orvelane --dry-run"
  "orvelane -platform offscreen --dry-run"
  "orvelane --setup $T/otra --dry-run"
  "orvelane --enviar --dry-run"
  "Varnel --dry-run"
  "Varnel -platform offscreen --dry-run"
  "Varnel --version --dry-run"
  "Lotmira --dry-run"
  "Lotmira --help --dry-run"
  "Oskeni --dry-run"
  "Oskeni --dry-run ' 20100066603 0738200300012345678'"
  "varnel-cli --dry-run"
)
for caso in "${casos[@]}"; do
  eval "set -- $caso"
  programa=$1
  shift
  estado=0
  "$BIN/$programa" "$@" >"$O/salida" 2>"$O/error" </dev/null || estado=$?
  [ "$estado" = 2 ] || falla "$caso: exit status $estado, not 2 ($(cat "$O/error"))"
  [ ! -s "$O/salida" ] || falla "$caso: wrote on standard output: $(cat "$O/salida")"
  grep -q -- "--dry-run" "$O/error" || falla "$caso: the refused word is not named: $(cat "$O/error")"
  grep -qiE '^(uso|usage):' "$O/error" || falla "$caso: no usage line: $(cat "$O/error")"
  [ "$(foto)" = "$antes" ] || { diff <(echo "$antes") <(foto) >&2 || true; falla "$caso: changed the environment"; }
done
[ ! -e "$T/otra" ] || falla "orvelane --setup with an unknown option created its folder"
echo "${#casos[@]} passed, 0 failed"
