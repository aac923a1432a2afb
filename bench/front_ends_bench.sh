#!/usr/bin/env bash
# The run as each front end makes it, side by side in one run on the same files: a plain
# copy-and-flush-per-file loop written as a Windows program, tunelift-cli's copy, and the
# window's Save run (shown), for 60 songs of 10 MiB and 1,000 songs of 256 KiB; and a Check
# run of 32,770 entries through the window shown and hidden. All under the same Wine, each
# timed inside its process; every variant copies into a fresh folder, the variants take
# turns in starting a round, and the median of the rounds is printed with the range.
# CHUNKS="256 1024 4096" adds tunelift-cli's copy with each chunk size (KiB) side by side.
# KINDS=1 compares instead, without a window, the Save and the Check run over the plain
# lists with the same runs reading them as playlists of every kind.
# VERIFY=1 instead times tunelift-cli's copy without and with --verify, side by side.
#   bench/front_ends_bench.sh <windows build dir> [work dir] [rounds]
set -euo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)
build=$(cd "$1" && pwd)
work=${2:-/tmp/tunelift-front-ends}
rounds=${3:-5}
exe="$build/save_run_bench_win.exe"

source "$here/tools/wine-env.sh"
trap 'wine_env_stop; rm -rf "$work"' EXIT
wine_env_start "$build" >/dev/null 2>&1

rm -rf "$work"
mkdir -p "$work/src"
python3 - "$work" <<'PY'
import os, sys
work = sys.argv[1]
def make(folder, count, size):
    os.makedirs(f"{work}/src/{folder}", exist_ok=True)
    paths = []
    for i in range(count):
        p = f"{work}/src/{folder}/{i:04} Some Artist - Title of song {i:04}.mp3"
        with open(p, "wb") as f:
            f.write(os.urandom(size))
        paths.append("Z:" + p.replace("/", "\\"))
    return paths
def write(name, paths):
    with open(f"{work}/{name}.m3u", "w", newline="") as f:
        f.write("#EXTM3U\r\n" + "".join(p + "\r\n" for p in paths))
if not os.environ.get("KINDS"):
    write("large", make("large", 60, 10 * 1024 * 1024))
small = make("small", 1000, 256 * 1024)
write("small", small)
write("check", [small[i % len(small)] for i in range(32770)])
PY
sync
sleep 4  # the playlist reader re-reads a file written within the last 3 seconds

outs=0
fresh() { out="$work/out.$((++outs))"; mkdir "$out"; sync; }
clear_round() { rm -rf "$work"/out.*; sync; sleep 3; }
median() { printf '%s\n' "$@" | sort -g | awk '{a[NR]=$1} END {print a[int((NR+1)/2)]}'; }
range() { printf '%s\n' "$@" | sort -g | awk 'NR==1{lo=$1} {hi=$1} END {printf "%.2f-%.2f", lo, hi}'; }
timed() {  # <mode> <list>: seconds as measured inside the Wine process; cli-<KiB> copies in such chunks
    local line mode=$1 chunk= kinds=
    [[ $mode == cli-* ]] && { chunk=${mode#cli-}; mode=cli; }
    [[ $mode == *-kinds ]] && { kinds=1; mode=${mode%-kinds}; }
    line=$(TUNELIFT_CHUNK_KIB=$chunk TUNELIFT_ALL_KINDS=$kinds "$WINE" "$exe" "$mode" "Z:$work/$2.m3u" "Z:$out")
    [[ $line == *complete=yes* ]] || { echo "incomplete: $1 $2: $line" >&2; exit 1; }
    sed 's/.*seconds=\([0-9.]*\).*/\1/' <<<"$line"
}

compare() {  # <list> <variant>...: medians and ranges, and each variant against the one before it
    # as the median (and range) of the ratios within each round, where both met the same machine
    local list=$1 r i v
    shift
    local variants=("$@") n=$#
    local -A t=()
    for ((r = 0; r < rounds; r++)); do
        for ((i = 0; i < n; i++)); do
            v=${variants[(i + r) % n]}
            fresh
            t[$v]+=" $(timed "$v" "$list")"
        done
        clear_round
    done
    local row="| $list |"
    for v in "${variants[@]}"; do row+=" $(median ${t[$v]}) ($(range ${t[$v]})) |"; done
    for ((i = 1; i < n; i++)); do
        local a=(${t[${variants[i - 1]}]}) b=(${t[${variants[i]}]}) ratios=()
        for ((r = 0; r < rounds; r++)); do ratios+=("$(bc -l <<<"${b[r]} / ${a[r]}")"); done
        row+=" $(median "${ratios[@]}" | cut -c1-4) ($(range "${ratios[@]}")) |"
    done
    echo "$row"
}

echo "load before: $(cut -d' ' -f1-3 /proc/loadavg), rounds=$rounds"
if [[ -n ${KINDS:-} ]]; then
    echo '| set | plain lists (s) | every kind (s) | every kind / plain |'
    echo '|---|---:|---:|---:|'
    compare small engine engine-kinds
    compare check enginecheck enginecheck-kinds
    echo "load after: $(cut -d' ' -f1-3 /proc/loadavg)"
    exit 0
fi
if [[ -n ${VERIFY:-} ]]; then
    echo '| set | tunelift-cli copy (s) | tunelift-cli copy --verify (s) | verify / plain |'
    echo '|---|---:|---:|---:|'
    compare large cli cliverify
    compare small cli cliverify
    echo "load after: $(cut -d' ' -f1-3 /proc/loadavg)"
    exit 0
fi
echo '| set | copy + flush loop (s) | tunelift-cli copy (s) | window Save run (s) | cli / loop | window / cli |'
echo '|---|---:|---:|---:|---:|---:|'
compare large loop cli save
compare small loop cli save
echo '| set | Check run hidden (s) | Check run shown (s) | shown / hidden |'
echo '|---|---:|---:|---:|'
compare check checkhidden check
if [[ -n ${CHUNKS:-} ]]; then
    chunks=()
    for c in $CHUNKS; do chunks+=("cli-$c"); done
    echo "| set |$(printf ' cli, %s KiB chunks (s) |' $CHUNKS) each / the one before |"
    compare large "${chunks[@]}"
    compare small "${chunks[@]}"
fi
echo "load after: $(cut -d' ' -f1-3 /proc/loadavg)"
