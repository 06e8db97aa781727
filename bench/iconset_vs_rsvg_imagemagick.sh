#!/bin/sh
# One SVG into the icon set of every platform: vornik-cli iconset against the
# same files made with rsvg-convert (one run per size), png2icns (app.icns) and
# ImageMagick (the .ico files, and the opaque and safe-zone icons), in the
# same run. Run by hand:
#   bench/iconset_vs_rsvg_imagemagick.sh [path/to/vornik-cli] [logo.svg] [runs]
# Without an SVG the first scalable application icon installed on the machine
# is taken. rsvg-convert, png2icns and ImageMagick come from tools/setup's --dev list.
set -eu
cli=${1:-build/release/src/cli/vornik-cli}
svg=${2:-$(find /usr/share/icons -path '*/scalable/apps/*.svg' 2>/dev/null | head -n 1)}
runs=${3:-10}
# ImageMagick's own convert, not another program of that name earlier in PATH.
magick=/usr/bin/convert
[ -x "$magick" ] || { echo "ImageMagick's convert is not installed" >&2; exit 1; }
command -v rsvg-convert >/dev/null || { echo "rsvg-convert is not installed" >&2; exit 1; }
command -v png2icns >/dev/null || { echo "png2icns (icnsutils) is not installed" >&2; exit 1; }
[ -x "$cli" ] || { echo "no vornik-cli at $cli (build it in Release first)" >&2; exit 1; }
[ -n "$svg" ] && [ -f "$svg" ] || { echo "no SVG given and none found under /usr/share/icons" >&2; exit 1; }
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

peer() {  # the same files, platform by platform
    out=$work/peer
    rm -rf "$out"
    mkdir -p "$out/png"
    p=$out/png
    for n in 16 20 22 24 29 32 40 48 58 60 64 72 76 80 87 96 120 128 144 152 167 180 192 256 512 1024; do
        rsvg-convert -w $n -h $n "$svg" -o "$p/$n.png"
    done
    # windows
    "$magick" $p/16.png $p/20.png $p/24.png $p/32.png $p/40.png $p/48.png $p/64.png $p/96.png $p/128.png \
        $p/256.png "$out/app.ico"
    # macos
    png2icns "$out/app.icns" $p/16.png $p/32.png $p/128.png $p/256.png $p/512.png $p/1024.png >/dev/null
    mkdir -p "$out/app.iconset"
    for pair in 16x16:16 16x16@2x:32 32x32:32 32x32@2x:64 128x128:128 128x128@2x:256 256x256:256 \
        256x256@2x:512 512x512:512 512x512@2x:1024; do
        cp "$p/${pair#*:}.png" "$out/app.iconset/icon_${pair%:*}.png"
    done
    # linux
    for n in 16 22 24 32 48 64 128 256 512; do
        mkdir -p "$out/hicolor/${n}x$n/apps"
        cp "$p/$n.png" "$out/hicolor/${n}x$n/apps/logo.png"
    done
    mkdir -p "$out/hicolor/scalable/apps"
    cp "$svg" "$out/hicolor/scalable/apps/logo.svg"
    # web: the maskable icon drawn at 289 px (inside the 40 % circle) on white
    "$magick" $p/16.png $p/32.png $p/48.png "$out/favicon.ico"
    cp "$svg" "$out/favicon.svg"
    "$magick" $p/180.png -background white -flatten "$out/apple-touch-icon.png"
    cp $p/192.png "$out/icon-192.png"
    cp $p/512.png "$out/icon-512.png"
    rsvg-convert -w 289 -h 289 "$svg" | "$magick" - -background white -gravity center -extent 512x512 \
        -flatten "$out/icon-maskable-512.png"
    # ios: every size opaque on white
    mkdir -p "$out/AppIcon.appiconset"
    for n in 20 29 40 58 60 76 80 87 120 152 167 180 1024; do
        "$magick" $p/$n.png -background white -flatten "$out/AppIcon.appiconset/AppIcon-$n.png"
    done
    # android: launcher, round and adaptive foreground per density
    for d in mdpi:48 hdpi:72 xhdpi:96 xxhdpi:144 xxxhdpi:192; do
        n=${d#*:}
        f=$((n * 108 / 48))
        mkdir -p "$out/android/mipmap-${d%:*}"
        cp $p/$n.png "$out/android/mipmap-${d%:*}/ic_launcher.png"
        "$magick" $p/$n.png -background white -flatten \( +clone -threshold 101% -fill white -draw \
            "circle $((n / 2)),$((n / 2)) $((n / 2)),0" \) -alpha off -compose copy_opacity -composite \
            "$out/android/mipmap-${d%:*}/ic_launcher_round.png"
        rsvg-convert -w $((f * 60 / 100)) -h $((f * 60 / 100)) "$svg" |
            "$magick" - -background none -gravity center -extent ${f}x$f \
                "$out/android/mipmap-${d%:*}/ic_launcher_foreground.png"
    done
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
echo "rsvg-convert, png2icns, ImageMagick: $t_peer"
echo "ratio (ours / pipeline):          $(awk "BEGIN { printf \"%.2f\", $t_ours / $t_peer }")"
