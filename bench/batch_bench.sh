#!/usr/bin/env bash
# Batch throughput: 32 copies of the 12-MP photograph through `veltrane batch` with one and two
# workers, for sepia and a 3 × 3 median, and ImageMagick's mogrify doing the nearest operation
# (-sepia-tone 80%, -median 3) on the same files with the same thread count.
#
#   bench/batch_bench.sh [VELTRANE_EXECUTABLE]     (default: build/veltrane)
#
# Needs `mogrify` (Debian package imagemagick) for the comparison; without it those rows are
# skipped. Prints wall seconds and pictures per second for each run, then the ratios.
set -euo pipefail
here="$(cd "$(dirname "$0")" && pwd)"
exe="${1:-$here/../build/veltrane}"
photo="${VELTRANE_BENCH_DIR:-$here/../../shared/bench}/sunset-4272x2848-progressive.jpg"
count=32
[ -r "$photo" ] || { echo "missing $photo (set VELTRANE_BENCH_DIR)" >&2; exit 1; }

work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
mkdir "$work/in"
for i in $(seq -w 1 $count); do cp "$photo" "$work/in/photo$i.jpg"; done

# Wall seconds of a command, to the millisecond.
seconds() {
    local start end
    start=$(date +%s.%N)
    "$@" >/dev/null 2>&1
    end=$(date +%s.%N)
    echo "$end - $start" | bc -l
}

declare -A took
report() {  # name seconds
    took[$1]=$2
    printf '%-26s %8.2f s  %6.2f pictures/s\n' "$1" "$2" "$(echo "$count / $2" | bc -l)"
}

for op in sepia median; do
    for jobs in 1 2; do
        rm -rf "$work/out"
        report "veltrane $op -j $jobs" "$(seconds "$exe" batch -q -j $jobs --do effect:$op -o "$work/out" "$work/in")"
    done
done

if command -v mogrify >/dev/null; then
    declare -A magick=([sepia]="-sepia-tone 80%" [median]="-median 3")
    for op in sepia median; do
        for jobs in 1 2; do
            rm -rf "$work/out" && mkdir "$work/out"
            # shellcheck disable=SC2086
            report "mogrify $op -j $jobs" "$(seconds mogrify -limit thread $jobs -quality 90 -path "$work/out" ${magick[$op]} "$work"/in/*.jpg)"
        done
    done
fi

echo
for op in sepia median; do
    printf '%-7s -j 2 over -j 1: %.2f ×' "$op" "$(echo "${took["veltrane $op -j 1"]} / ${took["veltrane $op -j 2"]}" | bc -l)"
    if [ -n "${took["mogrify $op -j 1"]:-}" ]; then
        for jobs in 1 2; do
            printf ';  mogrify / veltrane at -j %d: %.2f ×' $jobs "$(echo "${took["mogrify $op -j $jobs"]} / ${took["veltrane $op -j $jobs"]}" | bc -l)"
        done
    fi
    echo
done
