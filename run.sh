#!/usr/bin/env bash
# Installs what is missing, makes a release build and opens the editor:
#   ./run.sh [FILE]
# Without a display the window is rendered offscreen (with FILE open) to
# build/screenshot.png instead.
set -euo pipefail
here="$(cd "$(dirname "$0")" && pwd)"
"$here/tools/setup"
build="$here/build/release"
cmake -S "$here" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DVORNIK_TESTS=OFF >/dev/null
# ninja's own status line shows how far a first (long) build has come.
cmake --build "$build" -j "$(nproc)"
editor="$build/src/ui/vornik"
if [ ! -x "$editor" ]; then
  echo "run.sh: the editor was not built (Qt 6 missing?); vornik-cli is in $build/src/cli" >&2
  exit 1
fi
if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ]; then
  shot="$here/build/screenshot.png"
  if [ -z "${XDG_RUNTIME_DIR:-}" ]; then
    XDG_RUNTIME_DIR="$(mktemp -d)"
    export XDG_RUNTIME_DIR
    trap 'rm -rf "$XDG_RUNTIME_DIR"' EXIT
  fi
  rm -f "$shot"
  rc=0
  QT_QPA_PLATFORM=offscreen "$editor" --screenshot "$shot" "$@" || rc=$?
  if [ -f "$shot" ]; then echo "No display: the editor window was rendered to $shot"; fi
  exit "$rc"
fi
exec "$editor" "$@"
