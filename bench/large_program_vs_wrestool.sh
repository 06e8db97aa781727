#!/bin/sh
# Listing the icons of a large program: vornik-cli list and groups against
#   wrestool -l PROGRAM
# (icoutils) in the same run, wall time and peak resident memory of the whole
# process (GNU time's %M). Without a PROGRAM, a corpus program gets a 500 MB
# payload behind its sections, as installers have: its resources stay small,
# so the cost should follow them, not the file. Run by hand:
#   bench/large_program_vs_wrestool.sh [path/to/vornik-cli] [runs] [PROGRAM]
set -eu
cli=${1:-build/release/src/cli/vornik-cli}
runs=${2:-5}
program=${3:-}
command -v wrestool >/dev/null || { echo "wrestool (icoutils) is not installed" >&2; exit 1; }
[ -x "$cli" ] || { echo "no vornik-cli at $cli (build it in Release first)" >&2; exit 1; }
[ -x /usr/bin/time ] || { echo "GNU time (/usr/bin/time) is not installed" >&2; exit 1; }
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
if [ -z "$program" ]; then
    program=$work/big.exe
    cp "$(dirname "$0")/../../shared/corpus/pe/distlib__w64.exe" "$program"
    head -c 500M /dev/urandom >>"$program"
fi
size_kb=$(( $(stat -c %s "$program") / 1024 ))
# Page cache warm for both.
cat "$program" >/dev/null

measure() {  # command... -> "best-seconds max-kb" over $runs runs
    best=""
    peak=0
    i=0
    while [ "$i" -lt "$runs" ]; do
        /usr/bin/time -f "%e %M" -o "$work/t" "$@" >/dev/null 2>&1 || true
        read -r s kb <<EOF
$(tail -n 1 "$work/t")
EOF
        if [ -z "$best" ] || [ "$(echo "$s < $best" | bc)" = 1 ]; then best=$s; fi
        [ "$kb" -gt "$peak" ] && peak=$kb
        i=$((i + 1))
    done
    echo "$best $peak"
}

set -- $(measure wrestool -l "$program"); w_s=$1; w_kb=$2
set -- $(measure "$cli" groups "$program"); g_s=$1; g_kb=$2
set -- $(measure "$cli" list "$program"); l_s=$1; l_kb=$2
echo "program: $program ($size_kb KB)"
printf '%-22s %8s s %9s KB\n' "wrestool -l" "$w_s" "$w_kb"
printf '%-22s %8s s %9s KB\n' "vornik-cli groups" "$g_s" "$g_kb"
printf '%-22s %8s s %9s KB\n' "vornik-cli list" "$l_s" "$l_kb"
echo "groups/wrestool time: $(echo "scale=3; $g_s / ($w_s + 0.001)" | bc)  (goal <= 0.5)"
echo "list/wrestool time:   $(echo "scale=3; $l_s / ($w_s + 0.001)" | bc)"
echo "groups memory / file: $(echo "scale=4; $g_kb / $size_kb" | bc)  (goal <= 0.25)"
echo "list memory / file:   $(echo "scale=4; $l_kb / $size_kb" | bc)"
