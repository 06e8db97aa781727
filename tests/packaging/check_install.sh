#!/usr/bin/env bash
# Installs the build into a staging folder and checks what a packager gets:
#   check_install.sh BUILD_DIR STAGE_DIR VERSION WITH_EDITOR(0|1)
set -uo pipefail
build=$1 stage=$2 version=$3 editor=$4
failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }

rm -rf "$stage"
if ! cmake --install "$build" --prefix "$stage" >"$stage.log" 2>&1; then
  cat "$stage.log"
  echo "FAIL: cmake --install"
  exit 1
fi

expect=(
  bin/vornik-cli libexec/vornik/vornik-svg-render
  share/man/man1/vornik.1 share/man/man1/vornik-cli.1
  share/bash-completion/completions/vornik-cli
  share/doc/vornik/LICENSE share/doc/vornik/CHANGELOG.md
)
sides=(16 24 32 48 64 128 256)
if [ "$editor" = 1 ]; then
  expect+=(bin/vornik share/applications/vornik.desktop share/metainfo/io.github.vornik.vornik.metainfo.xml
           share/vornik/vornik-help.html share/vornik/vornik-help-en.html share/vornik/vornik.ico)
  for s in "${sides[@]}"; do expect+=("share/icons/hicolor/${s}x${s}/apps/vornik.png"); done
fi
for f in "${expect[@]}"; do
  [ -s "$stage/$f" ] || fail "not installed: $f"
done

# One version everywhere: the programs, the man pages, the help page, the metainfo.
[ "$("$stage/bin/vornik-cli" --version)" = "vornik-cli $version" ] || fail "vornik-cli --version"
grep -q "\"Vornik $version\"" "$stage/share/man/man1/vornik-cli.1" || fail "version in vornik-cli.1"
grep -q "\"Vornik $version\"" "$stage/share/man/man1/vornik.1" || fail "version in vornik.1"
grep -q "## $version " "$stage/share/doc/vornik/CHANGELOG.md" || fail "CHANGELOG has no entry for $version"

# The installed command line draws an SVG through the installed renderer.
printf '%s' '<svg xmlns="http://www.w3.org/2000/svg" width="16" height="16"><circle cx="8" cy="8" r="6" fill="red"/></svg>' \
  >"$stage.svg"
rm -f "$stage.ico"
"$stage/bin/vornik-cli" convert "$stage.svg" -o "$stage.ico" --size 16 >/dev/null 2>"$stage.err" && [ -s "$stage.ico" ] ||
  fail "vornik-cli convert of an SVG: $(cat "$stage.err")"

# Man pages: groff finds no fault in them.
if command -v groff >/dev/null; then
  for page in vornik.1 vornik-cli.1; do
    out=$(groff -t -man -ww -z "$stage/share/man/man1/$page" 2>&1)
    [ -z "$out" ] || fail "groff on $page: $out"
  done
fi

if [ "$editor" = 1 ]; then
  grep -q "Vornik Ver $version" "$stage/share/vornik/vornik-help.html" || fail "version in the help page"
  grep -q "<release version=\"$version\"" "$stage/share/metainfo/io.github.vornik.vornik.metainfo.xml" ||
    fail "version in the metainfo"
  # Each icon has the size its folder names: the PNG header's width and height.
  for s in "${sides[@]}"; do
    png="$stage/share/icons/hicolor/${s}x${s}/apps/vornik.png"
    [ -s "$png" ] || continue
    wh=$(od -An -tu1 -j16 -N8 "$png" | awk '{print $1*16777216+$2*65536+$3*256+$4 "x" $5*16777216+$6*65536+$7*256+$8}')
    [ "$wh" = "${s}x${s}" ] || fail "hicolor ${s}x${s} icon is $wh"
  done
  if command -v desktop-file-validate >/dev/null; then
    out=$(desktop-file-validate "$stage/share/applications/vornik.desktop" 2>&1) || fail "desktop-file-validate: $out"
    [ -z "$out" ] || echo "desktop-file-validate: $out"
  else
    echo "desktop-file-validate not installed (tools/setup --dev): not run"
  fi
  if command -v appstreamcli >/dev/null; then
    appstreamcli validate --no-net --pedantic "$stage/share/metainfo/io.github.vornik.vornik.metainfo.xml" ||
      fail "appstreamcli validate"
  else
    echo "appstreamcli not installed (tools/setup --dev): not run"
  fi
fi

if [ "$failures" -gt 0 ]; then
  echo "$failures failed"
  exit 1
fi
echo "installed tree as expected"
