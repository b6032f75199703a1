#!/usr/bin/env bash
# scripts/check-includes: a folder reaching up is reported with its file and line and fails the
# check; includes along the table, of system headers and of a file's own folder pass; the tree
# itself is clean.
set -euo pipefail
raiz="$(cd "$(dirname "$0")/../.." && pwd)"
check="$raiz/scripts/check-includes"
t=$(mktemp -d)
trap 'rm -rf "$t"' EXIT

mkdir -p "$t/platform" "$t/common" "$t/varnel/declaration" "$t/varnel/computation"
printf '#include <QString>\n#include "platform/paths.h"\n' >"$t/common/a.cpp"
printf '#include "varnel/declaration/b.h"\n#include "common/a.h"\n' >"$t/varnel/computation/c.cpp"
printf '#include "b.h"\n\n#include "varnel/declaration/b.h"\n#include "varnel/computation/c.h"\n' \
    >"$t/varnel/declaration/b.cpp"
printf '// #include "common/a.h" in a comment is not an include\n' >"$t/platform/p.h"

set +e
salida=$("$check" "$t")
estado=$?
set -e
esperado='varnel/declaration/b.cpp:4: folder varnel/declaration may not include folder varnel/computation'
[ "$estado" -eq 1 ] || { echo "exit $estado, expected 1"; exit 1; }
[ "$salida" = "$esperado" ] || { printf 'got:\n%s\nexpected:\n%s\n' "$salida" "$esperado"; exit 1; }

# A folder the table does not know is a failure too: a new folder needs its row.
mkdir -p "$t/varnel/nueva"
printf '#include "platform/paths.h"\n' >"$t/varnel/nueva/n.cpp"
rm "$t/varnel/declaration/b.cpp"
set +e
salida=$("$check" "$t")
estado=$?
set -e
[ "$estado" -eq 1 ] && [ "$salida" = 'varnel/nueva/n.cpp:1: folder varnel/nueva has no row in scripts/check-includes' ] ||
    { echo "unknown folder: exit $estado, output: $salida"; exit 1; }

rm -r "$t/varnel/nueva"
"$check" "$t"
"$check" "$raiz"
