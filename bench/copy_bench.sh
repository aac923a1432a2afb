#!/usr/bin/env bash
# FileCopy (under Wine) against cp, side by side on the same files in one run:
# 200 files of 5 MiB (1 GiB) and 5,000 small files of 1-64 KiB. Each round copies the
# set into an empty folder with cp, with cp followed by one sync, with FileCopy as it
# ships (each file flushed before it takes its name) and with FileCopy without that
# flush (the copy loop alone). For reference it also times dd with the same 256 KiB
# read/write loop natively (large set) and Wine's CopyFileExW. Prints the median of
# each, then a chunk-size sweep.
#   bench/copy_bench.sh <windows build dir> [work dir] [rounds]
set -euo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)
build=$(cd "$1" && pwd)
work=${2:-/tmp/tunelift-copy-bench}
rounds=${3:-3}
exe="$build/file_copy_bench_win.exe"

source "$here/tools/wine-env.sh"
trap 'wine_env_stop; rm -rf "$work"' EXIT
wine_env_start "$build" >/dev/null 2>&1

rm -rf "$work"
mkdir -p "$work/large" "$work/small"
python3 - "$work" <<'PY'
import os, random, sys
work = sys.argv[1]
rng = random.Random(1)
for i in range(200):
    with open(f"{work}/large/track{i:03}.flac", "wb") as f:
        f.write(os.urandom(5 * 1024 * 1024))
for i in range(5000):
    with open(f"{work}/small/clip{i:04}.mp3", "wb") as f:
        f.write(os.urandom(rng.randint(1, 64) * 1024))
PY
sync

seconds() { local s e; s=$(date +%s.%N); "$@" >/dev/null; e=$(date +%s.%N); echo "$e - $s" | bc; }
fresh() { rm -rf "$work/out"; mkdir "$work/out"; sync; }
median() { printf '%s\n' "$@" | sort -g | awk '{a[NR]=$1} END {print a[int((NR+1)/2)]}'; }
ours() {  # FileCopy's own seconds (Wine's start-up excluded)
    "$WINE" "$exe" "Z:$work/$1" "Z:$work/out" "${@:2}" | tee -a "$work/ours.log" |
        sed -n 's/.*seconds=\([0-9.]*\).*/\1/p'
}
row() { printf '  %-18s %7.3f s %6.0f MB/s  %5.3f of cp   runs: %s\n' "$1" "$2" \
        "$(echo "$bytes / $2 / 1000000" | bc -l)" "$(echo "$cp_median / $2" | bc -l)" "$3"; }

for set in large small; do
    bytes=$(find "$work/$set" -type f -printf '%s\n' | awk '{s += $1} END {print s}')
    cp_t=(); cps_t=(); our_t=(); raw_t=(); dd_t=(); plat_t=()
    for ((r = 1; r <= rounds; r++)); do
        fresh; cp_t+=("$(seconds cp -r "$work/$set/." "$work/out/")")
        fresh; cps_t+=("$(seconds bash -c "cp -r '$work/$set/.' '$work/out/' && sync")")
        fresh; our_t+=("$(ours "$set")")
        fresh; raw_t+=("$(ours "$set" 256 noflush)")
        fresh; plat_t+=("$(ours "$set" 256 platform)")
        if [[ $set == large ]]; then
            fresh; dd_t+=("$(seconds bash -c "for f in '$work/$set'/*; do dd if=\"\$f\" of='$work/out/'\"\${f##*/}\" bs=256K status=none; done")")
        fi
    done
    cp_median=$(median "${cp_t[@]}")
    echo "set=$set files=$(ls "$work/$set" | wc -l) bytes=$bytes rounds=$rounds"
    row "cp" "$cp_median" "${cp_t[*]}"
    row "cp + sync" "$(median "${cps_t[@]}")" "${cps_t[*]}"
    row "FileCopy" "$(median "${our_t[@]}")" "${our_t[*]}"
    row "FileCopy, no flush" "$(median "${raw_t[@]}")" "${raw_t[*]}"
    row "Wine CopyFileExW" "$(median "${plat_t[@]}")" "${plat_t[*]}"
    [[ ${#dd_t[@]} -gt 0 ]] && row "dd bs=256K" "$(median "${dd_t[@]}")" "${dd_t[*]}"
done

echo "chunk sweep, large set, no flush (the copy loop alone), two runs each:"
for kib in 64 128 256 512 1024 4096; do
    for run in 1 2; do
        fresh
        echo "  ${kib} KiB: $("$WINE" "$exe" "Z:$work/large" "Z:$work/out" "$kib" noflush)"
    done
done
echo "longest gaps between two progress reports, and from the last report to the end of a copy:"
grep -h max_gap "$work/ours.log" | sed 's/^/  /'
