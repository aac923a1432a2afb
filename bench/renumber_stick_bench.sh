#!/usr/bin/env bash
# One song inserted at the top of a numbered stick of 500 songs, on a real FAT32 file
# system (an image mounted through FUSE, as tests/win/fat does it): tunelift-cli copy
# --number --sync renaming the 500 songs to their new numbers, against the full re-copy
# the same run makes when none of the songs on the stick is recognised (the sources
# touched since, so every song is copied again under its new number and Sync deletes the
# old ones); and, as the floor both stand on, the same run once more when every song is
# in its place already. Before each timed run a dry run of it counts its copies, renames
# and deletions. Renaming and re-copying take turns in starting a round; each starts from
# the same stick of 500 songs, which a run of the old playlist (untimed) restores after
# it. Wall time around the Wine process; the median of the rounds, the range, and the
# median of the ratios within each round. Phases go to standard error as they end.
#   bench/renumber_stick_bench.sh <windows build dir> [work dir] [rounds] [songs] [KiB per song]
set -euo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)
build=$(cd "$1" && pwd)
work=${2:-/tmp/tunelift-renumber}
rounds=${3:-3}
songs=${4:-500}
kib=${5:-1024}
cli="$build/tunelift-cli.exe"

source "$here/tools/wine-env.sh"
cleanup() {
    wine_env_stop
    if mountpoint -q "$work/stick"; then fusermount -u "$work/stick" || fusermount -uz "$work/stick"; fi
    rm -rf "$work"
}
trap cleanup EXIT
wine_env_start "$build" >/dev/null 2>&1

rm -rf "$work"
mkdir -p "$work/src" "$work/stick"
# Room for both sets of copies at once: the full re-copy deletes the old ones last.
truncate -s $(( (2 * (songs + 1) * kib / 1024) * 11 / 10 + 64 ))M "$work/stick.img"
mkfs.vfat -F 32 -n TUNELIFT "$work/stick.img" >/dev/null
fusefat -o rw+ "$work/stick.img" "$work/stick" >/dev/null 2>&1
for _ in $(seq 50); do mountpoint -q "$work/stick" && break; sleep 0.1; done
mountpoint -q "$work/stick"
mkdir "$work/stick/Car"
python3 - "$work" "$songs" "$kib" <<'PY'
import os, sys
work, count, kib = sys.argv[1], int(sys.argv[2]), int(sys.argv[3])
def song(name):
    with open(f"{work}/src/{name}", "wb") as f:
        f.write(os.urandom(kib * 1024))
    return "Z:" + f"{work}/src/{name}".replace("/", "\\")
old = [song(f"Some Artist - Title of song {i:04}.mp3") for i in range(count)]
new = [song("Another Artist - The new one.mp3")] + old
for name, paths in (("old", old), ("new", new)):
    with open(f"{work}/{name}.m3u", "w", newline="") as f:
        f.write("#EXTM3U\r\n" + "".join(p + "\r\n" for p in paths))
PY
sleep 4  # the playlist reader re-reads a file written within the last 3 seconds

stick="Z:$work/stick/Car"
run() { "$WINE" "$cli" copy "Z:$work/$1.m3u" "$stick" --number --sync "${@:2}"; }
counts() {  # what the run of the new playlist would do, from its dry run
    local out
    out=$(run new --dry-run)
    printf 'copies=%d renames=%d deletions=%d' "$(grep -c '^would copy: ' <<<"$out" || true)" \
        "$(grep -c '^would rename: ' <<<"$out" || true)" "$(grep -c '^would delete: ' <<<"$out" || true)"
}
timed() {  # seconds of the run of the new playlist
    local start end
    start=$(date +%s.%N)
    run new >"$work/log" || { echo "run failed with $?" >&2; tail -3 "$work/log" >&2; exit 1; }
    end=$(date +%s.%N)
    grep -q "^entries: $((songs + 1)), ok: $((songs + 1)), errors: 0" "$work/log" || { tail -3 "$work/log" >&2; exit 1; }
    bc -l <<<"$end - $start"
}
restore() { run old >/dev/null; sync; }

touches=0
declare -A t=() said=()
measure() {  # <variant>
    said[$1]=$(counts)
    t[$1]+=" $(timed)"
    echo "$(date +%T) $1: ${said[$1]}, ${t[$1]##* } s" >&2
}
variant() {  # <rename|full>
    if [[ $1 == full ]]; then
        # Sources written since: no song on the stick is the same song any more.
        find "$work/src" -type f -exec touch -d "@$((1700000000 + ++touches * 86400))" {} +
    fi
    measure "$1"
    [[ $1 == rename ]] && measure still
    restore
    echo "$(date +%T) restored" >&2
}

median() { printf '%s\n' "$@" | sort -g | awk '{a[NR]=$1} END {printf "%.2f", a[int((NR+1)/2)]}'; }
range() { printf '%s\n' "$@" | sort -g | awk 'NR==1{lo=$1} {hi=$1} END {printf "%.2f-%.2f", lo, hi}'; }

echo "load before: $(cut -d' ' -f1-3 /proc/loadavg), rounds=$rounds, songs=$songs of $kib KiB"
restore
echo "stick filled: $(ls "$work/stick/Car" | wc -l) songs"
echo "$(date +%T) filled" >&2
for ((r = 0; r < rounds; r++)); do
    if ((r % 2)); then variant full; variant rename; else variant rename; variant full; fi
done
a=(${t[full]}) b=(${t[rename]}) c=(${t[still]}) ratios=() own=()
for ((r = 0; r < rounds; r++)); do
    ratios+=("$(bc -l <<<"${a[r]} / ${b[r]}")")
    own+=("$(bc -l <<<"(${b[r]} - ${c[r]}) * 1000 / $songs")")
done
echo '| run of the new playlist | what it does | time (s), median (range) |'
echo '|---|---|---:|'
echo "| renames | ${said[rename]} | $(median ${t[rename]}) ($(range ${t[rename]})) |"
echo "| full re-copy | ${said[full]} | $(median ${t[full]}) ($(range ${t[full]})) |"
echo "| every song in place | ${said[still]} | $(median ${t[still]}) ($(range ${t[still]})) |"
echo "full re-copy / renames: $(median "${ratios[@]}") ($(range "${ratios[@]}"))"
echo "renames' own cost per song (renames less in place, ms): $(median "${own[@]}") ($(range "${own[@]}"))"
echo "load after: $(cut -d' ' -f1-3 /proc/loadavg)"
