#!/usr/bin/env bash
# `cmake --install` of this build into a temporary prefix: the FHS layout, every program's
# --version giving the suite's version, and Varnel finding the help of the installation it runs
# from (not the copy inside the program).
set -euo pipefail
BUILD=$(dirname "$1")
T=$(mktemp -d)
trap 'rm -rf "$T"' EXIT
falla() { echo "FAIL: $*" >&2; exit 1; }
version=$(sed -n 's/^CMAKE_PROJECT_VERSION:STATIC=//p' "$BUILD/CMakeCache.txt")
[ -n "$version" ] || falla "no project version in $BUILD/CMakeCache.txt"
cmake --install "$BUILD" --prefix "$T/usr" >/dev/null

for f in bin/orvelane bin/Varnel bin/Lotmira bin/Oskeni bin/varnel-cli \
         share/qvr/Varnel.html share/applications/org.qvr.Orvelane.desktop \
         share/metainfo/org.qvr.Orvelane.metainfo.xml share/icons/hicolor/scalable/apps/org.qvr.Orvelane.svg \
         share/man/man1/orvelane.1.gz share/man/man1/Varnel.1.gz share/man/man1/Lotmira.1.gz \
         share/man/man1/Oskeni.1.gz share/man/man1/varnel-cli.1.gz \
         share/doc/qvr/copyright share/doc/qvr/changelog.gz; do
  [ -f "$T/usr/$f" ] || falla "not installed: $f"
done
grep -q "<release version=\"$version\"" "$T/usr/share/metainfo/org.qvr.Orvelane.metainfo.xml" || falla "metainfo release"
zcat "$T/usr/share/man/man1/varnel-cli.1.gz" | grep "\"qvr $version\"" >/dev/null || falla "manual page version"

export QT_QPA_PLATFORM=offscreen
unset DISPLAY WAYLAND_DISPLAY
for p in orvelane Varnel Lotmira Oskeni varnel-cli; do
  out=$("$T/usr/bin/$p" --version) || falla "$p --version exited $?"
  [ "$out" = "$p $version" ] || falla "$p --version: '$out'"
done
# --help answers without touching an environment (an empty Windows folder here).
export WINDIR="$T/windows"
mkdir -p "$WINDIR"
for p in orvelane Varnel Lotmira Oskeni varnel-cli; do
  "$T/usr/bin/$p" --help >"$T/ayuda.txt" 2>&1 || falla "$p --help exited $?"
  grep -qi 'uso\|usage' "$T/ayuda.txt" || falla "$p --help: $(cat "$T/ayuda.txt")"
done
[ -z "$(ls -A "$WINDIR")" ] || falla "--help wrote into the Windows folder"
ayuda=$("$T/usr/bin/Varnel" --help | sed -n 's/^Ayuda: //p')
[ "$ayuda" = "$T/usr/share/qvr/Varnel.html" ] || falla "installed Varnel's help: '$ayuda'"
# Run from the build folder it carries its own copy.
[ "$("$1/Varnel" --help | sed -n 's/^Ayuda: //p')" = ":/varnel/ayuda/Varnel.html" ] || falla "build Varnel's help"
echo "1 passed, 0 failed"
