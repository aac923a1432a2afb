#!/usr/bin/env bash
# A Save run through the real window against careful copies of the same songs, side by
# side in one run: cp, cp + one sync, a native copy-and-flush-per-file loop (1 MiB
# blocks, Python), the same loop under Wine, and Tunelift's Save run. Sets: 60 songs of
# 10 MiB, 1,000 songs of 256 KiB, and 100 / 1,000 / 5,000 songs of 256 KiB in one folder
# for the cost per song. Every variant copies into an empty folder after a sync; the
# median of the rounds is printed with the ratios.
#   bench/save_run_bench.sh <windows build dir> [work dir] [rounds] [sets]
# sets: any of "large n100 n1000 n5000" (default all, in that order).
# BASELINE_EXE=<another save_run_bench_win.exe> adds its Save run as one more variant
# (an earlier build, for a before/after comparison on the same files in the same run).
# WITHOUT_WINDOW=1 adds the same Save run without a window (real file services, a
# scripted window), which tells the window's share of the time.
set -euo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)
build=$(cd "$1" && pwd)
work=${2:-/tmp/tunelift-save-bench}
rounds=${3:-3}
sets=${4:-large n100 n1000 n5000}
exe="$build/save_run_bench_win.exe"

source "$here/tools/wine-env.sh"
trap 'wine_env_stop; rm -rf "$work"' EXIT
wine_env_start "$build" >/dev/null 2>&1

rm -rf "$work"
mkdir -p "$work/src"
# Song names as a player holds them (long names, not 8.3): Wine compares every entry of
# a folder with a name it cannot find, and 8.3 names cost it more.
python3 - "$work" <<'PY'
import os, sys
work = sys.argv[1]
def make(folder, count, size, lists):
    os.makedirs(f"{work}/src/{folder}", exist_ok=True)
    paths = []
    for i in range(count):
        p = f"{work}/src/{folder}/{i:04} Some Artist - Title of song {i:04}.mp3"
        with open(p, "wb") as f:
            f.write(os.urandom(size))
        paths.append(p)
    for name, n in lists:
        with open(f"{work}/{name}.m3u", "w", newline="") as f:
            f.write("#EXTM3U\r\n" + "".join("Z:" + p.replace("/", "\\") + "\r\n" for p in paths[:n]))
        with open(f"{work}/{name}.txt", "w") as f:
            f.write("".join(p + "\n" for p in paths[:n]))
make("large", 60, 10 * 1024 * 1024, [("large", 60)])
make("small", 5000, 256 * 1024, [("n100", 100), ("n1000", 1000), ("n5000", 5000)])
PY
sync
sleep 4  # the playlist reader re-reads a file written within the last 3 seconds

# Each variant writes into a folder of its own: deleting a copy before the next variant
# would make the disk discard its blocks (the root file system here is mounted with
# "discard") while the next variant writes, and slow that one down. The round's copies
# go at its end, with time for the discards.
fresh() { out="$work/out.$((++outs))"; mkdir "$out"; sync; }
outs=0
clear_round() { rm -rf "$work"/out.*; sync; sleep 5; }
seconds() { local s e; s=$(date +%s.%N); "$@" >/dev/null; e=$(date +%s.%N); echo "$e - $s" | bc; }
median() { printf '%s\n' "$@" | sort -g | awk '{a[NR]=$1} END {print a[int((NR+1)/2)]}'; }
wine_timed() {  # [exe] <mode> <list>: "seconds cpu-seconds" as measured inside the Wine process
    local line bin=$exe
    [[ $# -eq 3 ]] && { bin=$1; shift; }
    line=$("$WINE" "$bin" "$1" "Z:$work/$2.m3u" "Z:$out")
    [[ $line == *complete=yes* ]] || { echo "incomplete: $line" >&2; exit 1; }
    sed 's/.*seconds=\([0-9.]*\) cpu=\([0-9.]*\).*/\1 \2/' <<<"$line"
}
native_loop() {  # copy and flush per file, 1 MiB blocks, timed inside Python
    python3 - "$work/$1.txt" "$out" <<'PY'
import os, sys, time
paths = open(sys.argv[1]).read().split("\n")[:-1]
t = time.perf_counter()
for p in paths:
    src = os.open(p, os.O_RDONLY)
    dst = os.open(os.path.join(sys.argv[2], os.path.basename(p)), os.O_WRONLY | os.O_CREAT | os.O_TRUNC, 0o644)
    while True:
        b = os.read(src, 1 << 20)
        if not b: break
        os.write(dst, b)
    os.fsync(dst)
    os.close(dst); os.close(src)
print(time.perf_counter() - t)
PY
}

run_set() {  # <list name>: one line of medians and ratios
    local list=$1 r v
    local -A t=()  # variant -> seconds of each round
    local variants=(cp cps loop wineloop save)
    [[ -n ${BASELINE_EXE:-} ]] && variants+=(baseline)
    [[ -n ${WITHOUT_WINDOW:-} ]] && variants+=(engine)
    local n=${#variants[@]} ours=() wlcpu=() oldcpu=() engcpu=()
    for ((r = 0; r < rounds; r++)); do
        # Each round starts with another variant, so that a busy spell of the machine
        # does not always fall on the same one.
        for ((i = 0; i < n; i++)); do
            v=${variants[(i + r) % n]}
            fresh
            case $v in
                cp) t[$v]+=" $(seconds xargs -d '\n' cp -t "$out" <"$work/$list.txt")" ;;
                cps) t[$v]+=" $(seconds bash -c "xargs -d '\n' cp -t '$out' < '$work/$list.txt' && sync")" ;;
                loop) t[$v]+=" $(native_loop "$list")" ;;
                wineloop) read -r s c <<<"$(wine_timed loop "$list")"; t[$v]+=" $s"; wlcpu+=("$c") ;;
                save) read -r s c <<<"$(wine_timed save "$list")"; t[$v]+=" $s"; ours+=("$c") ;;
                baseline) read -r s c <<<"$(wine_timed "$BASELINE_EXE" save "$list")"; t[$v]+=" $s"; oldcpu+=("$c") ;;
                engine) read -r s c <<<"$(wine_timed engine "$list")"; t[$v]+=" $s"; engcpu+=("$c") ;;
            esac
        done
        clear_round
    done
    local songs m=()
    songs=$(wc -l <"$work/$list.txt")
    for v in "${variants[@]}"; do m+=("$(median ${t[$v]})"); done
    local cp=${m[0]} cps=${m[1]} nat=${m[2]} wl=${m[3]} our=${m[4]}
    printf '| %s | %d | %.3f | %.3f | %.3f | %.3f | %.3f | %.2f | %.2f | %.3f |' "$list" "$songs" \
        "$cp" "$cps" "$nat" "$wl" "$our" "$(bc -l <<<"$our / $nat")" "$(bc -l <<<"$our / $wl")" \
        "$(bc -l <<<"$our * 1000 / $songs")"
    if [[ -n ${BASELINE_EXE:-} ]]; then
        printf ' %.3f | %.2f | %.3f |' "${m[5]}" "$(bc -l <<<"${m[5]} / $nat")" "$(bc -l <<<"${m[5]} * 1000 / $songs")"
    fi
    echo
    echo "  runs (s): cp${t[cp]} | cp+sync${t[cps]} | loop${t[loop]} | Wine loop${t[wineloop]} | Save${t[save]}${BASELINE_EXE:+ | baseline${t[baseline]}}" >&2
    echo "  processor (s, medians): Wine loop $(median "${wlcpu[@]}") | Save $(median "${ours[@]}")${BASELINE_EXE:+ | baseline $(median "${oldcpu[@]}")}" >&2
    if [[ -n ${WITHOUT_WINDOW:-} ]]; then
        local e; e=$(median ${t[engine]})
        echo "  without a window: Save $e s ($(bc -l <<<"$e / $nat" | cut -c1-4) x the loop, $(bc -l <<<"$e * 1000 / $songs" | cut -c1-5) ms per song), processor $(median "${engcpu[@]}") s; runs${t[engine]}" >&2
    fi
}

echo "load before: $(cut -d' ' -f1-3 /proc/loadavg), rounds=$rounds"
if [[ -n ${BASELINE_EXE:-} ]]; then
    echo '| set | songs | cp (s) | cp + sync (s) | copy + flush per file (s) | same loop under Wine (s) | Save run (s) | Save / loop | Save / Wine loop | Save per song (ms) | earlier Save run (s) | earlier / loop | earlier per song (ms) |'
    echo '|---|---:|---:|---:|---:|---:|---:|---:|---:|---:|---:|---:|---:|'
else
    echo '| set | songs | cp (s) | cp + sync (s) | copy + flush per file (s) | same loop under Wine (s) | Save run (s) | Save / loop | Save / Wine loop | Save per song (ms) |'
    echo '|---|---:|---:|---:|---:|---:|---:|---:|---:|---:|'
fi
for set in $sets; do run_set "$set"; done
echo "load after: $(cut -d' ' -f1-3 /proc/loadavg)"
