#!/usr/bin/env bash
# How often the window gets its turn while songs are copied onto a slow stick: a 1.2 GB
# ext4 image on a loop device whose writes the kernel throttles to 10 MB/s (blkio
# cgroup, version 1), written through the page cache as under Wine. Copies 5 songs of
# 10 MiB with FileCopy and prints the longest gap between two progress reports, the
# longest wait after a file's last report (its flush and rename) and how many exceeded
# 100 ms. Needs root. The throttle releases writes in slices of about 100 ms, so no
# flush on it can be much shorter than that.
#   bench/slow_stick_bench.sh <windows build dir> [exe] [runs]
set -euo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)
build=$(cd "$1" && pwd)
exe=${2:-$build/file_copy_bench_win.exe}
runs=${3:-3}
work=/tmp/tunelift-slow-stick
group=/sys/fs/cgroup/blkio/tunelift-slow-stick
[[ -d /sys/fs/cgroup/blkio ]] || { echo "needs the cgroup v1 blkio controller" >&2; exit 2; }

source "$here/tools/wine-env.sh"
loop=
cleanup() {
    wine_env_stop
    mountpoint -q "$work/stick" && umount "$work/stick"
    [[ -n $loop ]] && losetup -d "$loop"
    [[ -d $group ]] && rmdir "$group"
    rm -rf "$work"
}
trap cleanup EXIT
rm -rf "$work"
mkdir -p "$work/songs" "$work/stick"
for i in 1 2 3 4 5; do head -c $((10 << 20)) /dev/urandom >"$work/songs/song $i.mp3"; done
truncate -s 1200M "$work/stick.img"
mkfs.ext4 -q -F "$work/stick.img"
loop=$(losetup -f --show "$work/stick.img")
mount "$loop" "$work/stick"
mkdir -p "$group"
echo "$(stat -c '%t:%T' "$loop" | xargs -I{} bash -c 'echo $((16#${0%:*})):$((16#${0#*:}))' {}) 10485760" \
    >"$group/blkio.throttle.write_bps_device"
wine_env_start "$build" >/dev/null 2>&1

for ((r = 1; r <= runs; r++)); do
    rm -rf "$work/stick/out"; mkdir "$work/stick/out"
    # Only the copying process is throttled; the wineserver and the rest stay as they are.
    bash -c 'echo $$ >"$0/cgroup.procs"; exec "$1" "$2" "$3" "$4"' "$group" "$WINE" "$exe" \
        "Z:$work/songs" "Z:$work/stick/out"
done
