#!/usr/bin/env bash
# Installs what is missing, makes a release build and runs the program.
# Until the editor is built, the program is vornik-cli: ./run.sh ARGS... passes ARGS to it.
set -euo pipefail
here="$(cd "$(dirname "$0")" && pwd)"
"$here/tools/setup"
build="$here/build/release"
cmake -S "$here" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DVORNIK_TESTS=OFF >/dev/null
cmake --build "$build" -j "$(nproc)" >/dev/null
exec "$build/src/cli/vornik-cli" "$@"
