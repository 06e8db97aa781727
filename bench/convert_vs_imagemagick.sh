#!/bin/sh
# Converting one 256 x 256 true-colour picture into icon entries: vornik-cli
# convert against ImageMagick's convert, in the same run. Run by hand:
#   bench/convert_vs_imagemagick.sh [path/to/vornik-cli] [runs]
# ImageMagick is needed only here (never by the build or the tests).
set -eu
cli=${1:-build/release/src/cli/vornik-cli}
runs=${2:-50}
command -v convert >/dev/null || { echo "ImageMagick's convert is not installed" >&2; exit 1; }
[ -x "$cli" ] || { echo "no vornik-cli at $cli (build it in Release first)" >&2; exit 1; }
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

# A picture with gradients and noise, so palettes and averaging have work to do.
convert -size 256x256 -seed 7 plasma:red-blue -type TrueColor BMP3:"$work/in.bmp"

now() { date +%s%N; }
time_runs() {  # name, command...
    name=$1
    shift
    start=$(now)
    i=0
    while [ "$i" -lt "$runs" ]; do
        "$@" >/dev/null
        i=$((i + 1))
    done
    end=$(now)
    echo "$(( (end - start) / runs / 1000 ))"
}

palette=$(time_runs palette "$cli" convert "$work/in.bmp" -o "$work/p.ico" --size 16,32,48 --colors 16,256)
truecolour=$(time_runs true "$cli" convert "$work/in.bmp" -o "$work/t.ico" --size 16,32,48,64,128 --colors true)
halftone=$(time_runs halftone "$cli" convert "$work/in.bmp" -o "$work/h.ico" --size 16,32,48,64,128 --colors true --halftone)
magick=$(time_runs magick convert "$work/in.bmp" -define icon:auto-resize=16,32,48,64,128 "$work/m.ico")

echo "runs: $runs, microseconds per run"
echo "vornik-cli 16/32/48 x 16/256 colours:        $palette"
echo "vornik-cli 16..128 x true colour (nearest):  $truecolour"
echo "vornik-cli 16..128 x true colour (halftone): $halftone"
echo "ImageMagick auto-resize 16..128:              $magick"
awk -v a="$truecolour" -v h="$halftone" -v p="$palette" -v m="$magick" 'BEGIN {
    printf "ratio vornik true colour / ImageMagick: %.2f (halftone %.2f)\n", a / m, h / m
    printf "ratio vornik both files / ImageMagick:  %.2f\n", (a + p) / m
}'
ls -l "$work"/*.ico | awk '{ print $5, $NF }'
