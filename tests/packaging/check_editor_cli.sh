#!/usr/bin/env bash
# The editor's command line as a user meets it:  check_editor_cli.sh VORNIK VERSION ICON
set -uo pipefail
vornik=$1 version=$2 icon=$3
failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT
export XDG_RUNTIME_DIR=$tmp XDG_CONFIG_HOME=$tmp/config

# --version and --help need no display and open no file of that name.
out=$(env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM "$vornik" --version 2>&1); rc=$?
[ "$rc" = 0 ] && [ "$out" = "vornik $version" ] || fail "--version: rc $rc, '$out'"
out=$(env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM "$vornik" --help 2>&1); rc=$?
[ "$rc" = 0 ] && [[ $out == "usage: vornik "* ]] || fail "--help: rc $rc, '$out'"

# An unknown option is a usage error (2) with the usage on standard error.
export QT_QPA_PLATFORM=offscreen
"$vornik" --colour=red "$icon" >"$tmp/out" 2>"$tmp/err"; rc=$?
[ "$rc" = 2 ] || fail "unknown option: rc $rc"
grep -q "^vornik: unknown option --colour$" "$tmp/err" || fail "unknown option: $(cat "$tmp/err")"
grep -q "^usage: vornik" "$tmp/err" || fail "unknown option: no usage"

# Several files: the first is opened and the others are named.
"$vornik" "$icon" "$tmp/b.ico" --screenshot "$tmp/shot.png" 2>"$tmp/err"; rc=$?
[ "$rc" = 0 ] || fail "several files: rc $rc"
[ -s "$tmp/shot.png" ] || fail "several files: no screenshot"
grep -q "one file at a time: opening $icon, not $tmp/b.ico" "$tmp/err" || fail "several files: $(cat "$tmp/err")"

# A file that cannot be opened fails the run (the window is still rendered).
echo "not an icon" >"$tmp/bad.ico"
"$vornik" "$tmp/bad.ico" --screenshot "$tmp/bad.png" 2>"$tmp/err"; rc=$?
[ "$rc" = 1 ] || fail "unreadable file: rc $rc"
[ -s "$tmp/bad.png" ] || fail "unreadable file: no screenshot"
grep -q "bad.ico" "$tmp/err" || fail "unreadable file: the reason is not told: $(cat "$tmp/err")"

[ "$failures" -eq 0 ] && echo "editor command line as expected"
exit $((failures > 0))
