#!/bin/sh
# One SVG into a whole icon set: vornik-cli iconset against the same set made
# with rsvg-convert (one run per size) and ImageMagick (the two .ico files),
# in the same run. Run by hand:
#   bench/iconset_vs_rsvg_imagemagick.sh [path/to/vornik-cli] [logo.svg] [runs]
# Without an SVG the first scalable application icon installed on the machine
# is taken. rsvg-convert and ImageMagick come from tools/setup's --dev list.
set -eu
cli=${1:-build/release/src/cli/vornik-cli}
svg=${2:-$(find /usr/share/icons -path '*/scalable/apps/*.svg' 2>/dev/null | head -n 1)}
runs=${3:-10}
# ImageMagick's own convert, not another program of that name earlier in PATH.
magick=/usr/bin/convert
[ -x "$magick" ] || { echo "ImageMagick's convert is not installed" >&2; exit 1; }
command -v rsvg-convert >/dev/null || { echo "rsvg-convert is not installed" >&2; exit 1; }
[ -x "$cli" ] || { echo "no vornik-cli at $cli (build it in Release first)" >&2; exit 1; }
[ -n "$svg" ] && [ -f "$svg" ] || { echo "no SVG given and none found under /usr/share/icons" >&2; exit 1; }
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

peer() {  # the same files: app.ico, favicon.ico, hicolor PNGs and the SVG
    out=$work/peer
    rm -rf "$out"
    mkdir -p "$out/png"
    for n in 16 20 22 24 32 40 48 64 96 128 256 512; do
        rsvg-convert -w $n -h $n "$svg" -o "$out/png/$n.png"
    done
    p=$out/png
    "$magick" $p/16.png $p/20.png $p/24.png $p/32.png $p/40.png $p/48.png $p/64.png $p/96.png $p/128.png \
        $p/256.png "$out/app.ico"
    "$magick" $p/16.png $p/32.png $p/48.png "$out/favicon.ico"
    for n in 16 22 24 32 48 64 128 256 512; do
        mkdir -p "$out/hicolor/${n}x$n/apps"
        cp "$p/$n.png" "$out/hicolor/${n}x$n/apps/logo.png"
    done
    mkdir -p "$out/hicolor/scalable/apps"
    cp "$svg" "$out/hicolor/scalable/apps/logo.svg"
}
ours() {
    rm -rf "$work/ours"
    "$cli" iconset "$svg" -o "$work/ours" --name logo >/dev/null
}

now() { date +%s%N; }
time_runs() {  # function name
    start=$(now)
    i=0
    while [ "$i" -lt "$runs" ]; do
        "$1"
        i=$((i + 1))
    done
    end=$(now)
    echo "$(((end - start) / runs / 1000))"
}

ours  # warm the file cache for both
peer
t_ours=$(time_runs ours)
t_peer=$(time_runs peer)
echo "SVG: $svg ($(wc -c <"$svg") bytes), runs: $runs, microseconds per set"
echo "vornik-cli iconset:               $t_ours"
echo "rsvg-convert + ImageMagick:       $t_peer"
echo "ratio (ours / pipeline):          $(awk "BEGIN { printf \"%.2f\", $t_ours / $t_peer }")"
