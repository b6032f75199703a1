#!/usr/bin/env bash
# First start: with no environment (an empty home, no WINDIR) every program of the suite exits
# non-zero, names the NEMDAL.INI it looked for and the command that makes a demonstration
# environment, and leaves no NEMDAL.INI of its own behind.
#   primer_inicio_test.sh BINDIR
set -euo pipefail
BIN="${1:?BINDIR}"
T=$(mktemp -d)
trap 'rm -rf "$T"' EXIT
falla() { echo "FAIL: $*" >&2; exit 1; }
export HOME="$T/home" XDG_DATA_HOME="$T/datos" XDG_RUNTIME_DIR="$T/run" QVR_RUNTIME_DIR="$T/run"
export QVR_DIALOGOS=consola QT_QPA_PLATFORM=offscreen
unset WINDIR XDG_CONFIG_HOME DISPLAY WAYLAND_DISPLAY
mkdir -p "$HOME" "$T/run"
chmod 700 "$T/run"
ini="$HOME/.config/qvr/NEMDAL.INI"
orden='orvelane --setup ~/qvr-demo && Lotmira'

# Program and arguments, one case a line.
casos=(
  "Varnel"
  "Lotmira"
  "Oskeni '  20100066603    0738200300012345678'"
  "orvelane --enviar"
  "varnel-cli calcular /dev/null"
  "varnel-cli grabar /dev/null"
  "varnel-cli validar /dev/null"
  "varnel-cli mostrar 20100066603"
  "varnel-cli orden 20100066603 --correl 1 --orden 12345678 --digitos 12"
  "varnel-cli imprimir 20100066603"
)
for caso in "${casos[@]}"; do
  eval "set -- $caso"
  programa=$1
  shift
  estado=0
  "$BIN/$programa" "$@" >"$T/salida" 2>"$T/error" </dev/null || estado=$?
  [ "$estado" != 0 ] || falla "$caso: exit status 0 without an environment"
  grep -qF -- "$ini" "$T/error" || falla "$caso: does not name $ini: $(cat "$T/error")"
  grep -qF -- "$orden" "$T/error" || falla "$caso: does not name '$orden': $(cat "$T/error")"
  [ ! -e "$ini" ] || falla "$caso: left a NEMDAL.INI: $(cat "$ini")"
done
echo "${#casos[@]} passed, 0 failed"
