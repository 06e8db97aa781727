#!/bin/sh
# A cursor theme of 30 cursors at 24, 32, 48, 64 and 96 pixels built from SVG
# sources: vornik-cli theme-build --platforms x11 timed against the usual
# inkscape-free pipeline in the same run, rsvg-convert once per cursor and
# size followed by xcursorgen once per cursor (the same files, hot spots
# scaled the same way). Run by hand (rsvg-convert and xcursorgen are not
# needed by the build; tools/setup --dev installs them):
#   bench/theme_build_vs_xcursorgen.sh [path/to/vornik-cli] [runs]
# vornik-cli flushes every file to disk (fsync) before linking it in, which
# the pipeline does not; TMPDIR=/dev/shm compares the work alone.
set -eu
cli=${1:-build/release/src/cli/vornik-cli}
runs=${2:-5}
for tool in rsvg-convert xcursorgen; do
    command -v "$tool" >/dev/null || { echo "$tool is not installed (tools/setup --dev)" >&2; exit 1; }
done
[ -x "$cli" ] || { echo "no vornik-cli at $cli (build it in Release first)" >&2; exit 1; }
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
sizes="24 32 48 64 96"
count=30

# Sources: 30 different arrows, strokes and soft edges, 256 user units each.
mkdir -p "$work/src"
toml=$work/src/theme.toml
printf 'name = "Bench"\ncomment = "benchmark"\ninherits = "Adwaita"\nsizes = [24, 32, 48, 64, 96]\n' >"$toml"
i=0
while [ "$i" -lt "$count" ]; do
    tip=$((8 + i * 3))
    cat >"$work/src/c$i.svg" <<EOF
<svg xmlns="http://www.w3.org/2000/svg" viewBox="0 0 256 256">
  <defs><linearGradient id="g"><stop offset="0" stop-color="#$(printf '%02x' $((i * 8)))4080"/><stop offset="1" stop-color="#ffffff"/></linearGradient></defs>
  <path d="M$tip $tip L$((200 - i)) $((120 + i)) L$((120 + i)) $((130 + i)) L$((90 + i)) $((220 - i)) Z" fill="url(#g)" stroke="#000" stroke-width="10" stroke-linejoin="round"/>
  <circle cx="$((60 + i * 4))" cy="190" r="$((10 + i))" fill="#c00" fill-opacity="0.6"/>
</svg>
EOF
    printf '\n[[cursor]]\nnames = ["cursor%d"]\nsource = "c%d.svg"\nhotspot = [%d, %d]\n' "$i" "$i" "$tip" "$tip" >>"$toml"
    i=$((i + 1))
done

ours() {
    rm -rf "$work/ours"
    "$cli" theme-build "$toml" -o "$work/ours" --platforms x11 >/dev/null
}

# The pipeline: one PNG per cursor and size, a config per cursor, xcursorgen.
theirs() {
    rm -rf "$work/theirs"
    mkdir -p "$work/theirs/png" "$work/theirs/Bench/cursors"
    i=0
    while [ "$i" -lt "$count" ]; do
        tip=$((8 + i * 3))
        config=$work/theirs/png/c$i.in
        : >"$config"
        for s in $sizes; do
            rsvg-convert -w "$s" -h "$s" "$work/src/c$i.svg" -o "$work/theirs/png/c$i-$s.png"
            hot=$(( (tip * s * 2 + 256) / 512 ))
            echo "$s $hot $hot c$i-$s.png" >>"$config"
        done
        (cd "$work/theirs/png" && xcursorgen "c$i.in" "$work/theirs/Bench/cursors/cursor$i")
        i=$((i + 1))
    done
}

now() { date +%s%N; }
time_runs() {  # function -> microseconds per run
    start=$(now)
    k=0
    while [ "$k" -lt "$runs" ]; do
        "$1"
        k=$((k + 1))
    done
    end=$(now)
    echo $(( (end - start) / runs / 1000 ))
}

ours_us=$(time_runs ours)
theirs_us=$(time_runs theirs)
# Both made the same cursors: same images per file.
[ "$(ls "$work/ours/Bench/cursors" | grep -c '^cursor')" = "$count" ] || { echo "theme-build made too few cursors" >&2; exit 1; }
echo "theme of $count cursors x 5 sizes from SVG, $runs runs, microseconds per build"
echo "  vornik-cli theme-build --platforms x11:  $ours_us"
echo "  rsvg-convert per size + xcursorgen:      $theirs_us"
awk -v a="$ours_us" -v b="$theirs_us" 'BEGIN { printf "  ratio vornik / pipeline:                 %.3f\n", a / b }'
