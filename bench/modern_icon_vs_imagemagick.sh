#!/bin/sh
# A 256-pixel PNG with alpha made into a 16, 24, 32, 48 and 256 pixel 32-bit
# icon: vornik-cli convert (its defaults) timed against ImageMagick's
#   convert in.png -define icon:auto-resize=16,24,32,48,256 out.ico
# in the same run, then the quality of each size against ImageMagick's
# -resize of the same picture: both composed over white and over black and
# compared by PSNR. Run by hand (ImageMagick is not needed by the build or
# the tests):
#   bench/modern_icon_vs_imagemagick.sh [path/to/vornik-cli] [runs] [picture.png ...]
# Without pictures, the 256-pixel PNG images of the corpus icons are used.
# vornik-cli flushes every save to disk (fsync) before linking it in, which
# ImageMagick does not; on a busy disk that wait can exceed the conversion
# itself. TMPDIR=/dev/shm (a memory file system) compares the work alone.
set -eu
cli=${1:-build/release/src/cli/vornik-cli}
runs=${2:-20}
[ $# -ge 2 ] && shift 2 || shift $#
command -v convert >/dev/null || { echo "ImageMagick's convert is not installed" >&2; exit 1; }
[ -x "$cli" ] || { echo "no vornik-cli at $cli (build it in Release first)" >&2; exit 1; }
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
sizes="16 24 32 48"

pictures=$*
if [ -z "$pictures" ]; then
    corpus=$(dirname "$0")/../../shared/corpus/ico
    n=0
    for ico in "$corpus"/*.ico; do
        # A 256-pixel entry of a corpus icon, taken out with its alpha.
        out=$work/src$n
        mkdir -p "$out"
        "$cli" extract "$ico" -o "$out" --png >/dev/null 2>&1 || continue
        for png in "$out"/*.png; do
            [ -e "$png" ] || continue
            if [ "$(identify -format '%w %h' "$png")" = "256 256" ]; then
                cp "$png" "$work/pic$n.png"
                pictures="$pictures $work/pic$n.png"
                n=$((n + 1))
                break
            fi
        done
    done
fi
[ -n "$pictures" ] || { echo "no 256-pixel pictures found" >&2; exit 1; }

now() { date +%s%N; }
time_runs() {  # command... -> microseconds per run
    start=$(now)
    i=0
    while [ "$i" -lt "$runs" ]; do
        "$@" >/dev/null 2>&1
        i=$((i + 1))
    done
    end=$(now)
    echo $(( (end - start) / runs / 1000 ))
}

first=$(echo $pictures | cut -d' ' -f1)
ours=$(time_runs "$cli" convert "$first" -o "$work/v.ico")
theirs=$(time_runs convert "$first" -define icon:auto-resize=16,24,32,48,256 "$work/m.ico")
echo "speed, $runs runs of $(basename "$first"), microseconds per run"
echo "  vornik-cli convert (defaults):      $ours"
echo "  ImageMagick icon:auto-resize:       $theirs"
awk -v a="$ours" -v m="$theirs" 'BEGIN { printf "  ratio vornik / ImageMagick:         %.3f\n", a / m }'

# Quality: each size of our icon against ImageMagick's -resize, over white
# and over black. PSNR of 8-bit pictures, "inf" for identical ones counted as 99.
psnr() {  # a b -> dB
    v=$(compare -metric PSNR "$1" "$2" null: 2>&1 || true)
    case "$v" in inf*|1.#INF*) echo 99 ;; *) echo "$v" | awk '{ print $1 + 0 }' ;; esac
}
echo "quality, PSNR in dB against ImageMagick -resize (over white / over black)"
all=""
for pic in $pictures; do
    "$cli" convert "$pic" -o "$work/q.ico" --size 16,24,32,48 >/dev/null
    i=0
    line="  $(basename "$pic"):"
    for s in $sizes; do
        "$cli" export "$work/q.ico" --entry "$i" -o "$work/ours$s.png" >/dev/null
        convert "$pic" -resize "${s}x${s}" "$work/ref$s.png"
        for bg in white black; do
            convert "$work/ours$s.png" -background $bg -alpha remove -alpha off "$work/o$bg.png"
            convert "$work/ref$s.png" -background $bg -alpha remove -alpha off "$work/r$bg.png"
            p=$(psnr "$work/o$bg.png" "$work/r$bg.png")
            all="$all $p"
            line="$line $s/$bg $p"
        done
        i=$((i + 1))
    done
    echo "$line"
done
echo "$all" | awk '{ min = 999; for (i = 1; i <= NF; ++i) { s += $i; if ($i < min) min = $i }
    printf "  mean %.2f dB over %d comparisons, lowest %.2f dB\n", s / NF, NF, min }'
