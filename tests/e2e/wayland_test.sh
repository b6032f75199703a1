#!/usr/bin/env bash
# The suite on a Wayland session, a headless Weston: the host's window and Varnel's main window
# come up as native Wayland windows, Varnel starts while the host's window is shown and refuses to
# start without it. The host runs with QT_QPA_PLATFORM=wayland; Varnel finds the platform by the
# session itself. Each window says when it is on screen ("qvr.ventanas: en pantalla: CAPTION
# (PLATFORM)" on standard error, QT_LOGGING_RULES). Exits 77 (skipped) only when Weston cannot
# start here.
#   wayland_test.sh BINDIR
set -euo pipefail
BIN="${1:?usage: wayland_test.sh BINDIR}"
T=$(mktemp -d)
pids=()
limpia() {
  for p in "${pids[@]}"; do kill "$p" 2>/dev/null || true; done
  for p in "${pids[@]}"; do wait "$p" 2>/dev/null || true; done
  rm -rf "$T"
}
trap limpia EXIT
falla() {
  echo "FAIL: $*" >&2
  for f in "$T"/*.err "$T/weston.log"; do [ -f "$f" ] && { echo "--- $f" >&2; tail -n 20 "$f" >&2; }; done
  exit 1
}
salta() { echo "SKIP: $*"; exit 77; }

command -v weston >/dev/null || salta "weston is not installed (scripts/deps installs it)"
unset DISPLAY WAYLAND_DISPLAY QT_QPA_PLATFORM QVR_RUNTIME_DIR
# The session's runtime folder: the compositor's socket and the host's mark live there.
export XDG_RUNTIME_DIR="$T/run"
mkdir -m 0700 "$XDG_RUNTIME_DIR"
weston --backend=headless-backend.so --socket=qvr-wayland --idle-time=0 --log="$T/weston.log" \
  >/dev/null 2>&1 &
pids+=($!)
for _ in $(seq 100); do
  [ -S "$XDG_RUNTIME_DIR/qvr-wayland" ] && break
  kill -0 "${pids[0]}" 2>/dev/null || break
  sleep 0.1
done
[ -S "$XDG_RUNTIME_DIR/qvr-wayland" ] || salta "weston cannot start here: $(tail -n 3 "$T/weston.log" 2>/dev/null | tr '\n' ' ')"
export WAYLAND_DISPLAY=qvr-wayland XDG_SESSION_TYPE=wayland
export QVR_DIALOGOS=consola QT_LOGGING_RULES="qvr.ventanas.info=true"
export WINDIR="$T/windows"
"$BIN/orvelane" --setup "$T/demo" >/dev/null || falla "orvelane --setup"

# Waits for a line in a program's standard error while the program runs.
espera() {
  local texto=$1 archivo=$2 pid=$3
  for _ in $(seq 600); do
    grep -qF "$texto" "$archivo" 2>/dev/null && return 0
    kill -0 "$pid" 2>/dev/null || break
    sleep 0.1
  done
  grep -qF "$texto" "$archivo" 2>/dev/null
}

# No host: the refusal, and no window.
if QT_QPA_PLATFORM=wayland "$BIN/Varnel" 2>"$T/sin_host.err"; then falla "Varnel started without the host"; fi
grep -qF "Error al ejecutar el módulo: Debe ejecutar este módulo desde el Integrador del QVR" "$T/sin_host.err" ||
  falla "no refusal without the host"
! grep -q "en pantalla:" "$T/sin_host.err" || falla "a window came up without the host"

QT_QPA_PLATFORM=wayland "$BIN/orvelane" 2>"$T/orvelane.err" &
pids+=($!)
espera "qvr.ventanas: en pantalla: Orvelane (wayland)" "$T/orvelane.err" $! || falla "the host's window did not come up"

"$BIN/Varnel" 2>"$T/varnel.err" &
varnel=$!
pids+=($varnel)
espera "qvr.ventanas: en pantalla: Declaración Pago Anual Impuesto a la Renta (wayland)" "$T/varnel.err" $varnel ||
  falla "Varnel's main window did not come up on Wayland"
kill -0 $varnel 2>/dev/null || falla "Varnel ended"
! grep -qF "Debe ejecutar este módulo" "$T/varnel.err" || falla "Varnel refused the host"
echo "PASS: the host and Varnel as Wayland windows"
