#!/usr/bin/env bash
# What verifying copies costs under Wine: XXH3-128 against SHA-256 (BCrypt) over the same
# bytes; a 10 MiB song copied with FileCopy and read back past the cache and the ordinary
# way, while its pages are still cached (as right after a copy); and the same read-backs
# after its pages were dropped (posix_fadvise on that one file), so that the disk answers.
#   bench/verify_bench.sh <windows build dir> [work dir] [rounds]
set -euo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)
build=$(cd "$1" && pwd)
work=${2:-/tmp/tunelift-verify-bench}
rounds=${3:-7}
exe="$build/verify_bench_win.exe"

source "$here/tools/wine-env.sh"
trap 'wine_env_stop; rm -rf "$work"' EXIT
wine_env_start "$build" >/dev/null 2>&1
rm -rf "$work"
mkdir -p "$work/out"
head -c $((10 << 20)) /dev/urandom >"$work/song.mp3"
drop() { python3 -c 'import os, sys; fd = os.open(sys.argv[1], os.O_RDONLY); os.fsync(fd); os.posix_fadvise(fd, 0, 0, os.POSIX_FADV_DONTNEED)' "$1"; }

echo "== hashing, 256 MiB in 1 MiB pieces"
"$WINE" "$exe" hash 256 "$rounds"
echo "== copy and read-back of 10 MiB, pages cached"
"$WINE" "$exe" readback "Z:$work/song.mp3" "Z:$work/out" "$rounds"
echo "== read-back of 10 MiB, pages dropped before each read"
for ((r = 1; r <= rounds; r++)); do
    drop "$work/song.mp3"; echo "round $r device: $("$WINE" "$exe" read "Z:$work/song.mp3" device)"
    drop "$work/song.mp3"; echo "round $r cache:  $("$WINE" "$exe" read "Z:$work/song.mp3" cache)"
done
