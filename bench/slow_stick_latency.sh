#!/usr/bin/env bash
# How long the window takes to answer while it copies onto a slow stick without a write
# cache (bench/slow_stick.py, FUSE, 8 MB/s by default): another thread of the benchmark
# sends the window a message every few milliseconds during a Save run of six 10 MiB songs
# and notes each answer's time. Root and /dev/fuse; python3-fusepy.
#   bench/slow_stick_latency.sh <windows build dir> [MB/s] [rounds]
set -euo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)
build=$(cd "$1" && pwd)
mbps=${2:-8}
rounds=${3:-3}
work=$(mktemp -d /tmp/tunelift-slow.XXXXXX)
source "$here/tools/wine-env.sh"
pid=
cleanup() {
  wine_env_stop
  mountpoint -q "$work/stick" && fusermount -u "$work/stick"
  [[ -n $pid ]] && { kill "$pid" 2>/dev/null || true; wait "$pid" 2>/dev/null || true; }
  rm -rf "$work"
}
trap cleanup EXIT
mkdir "$work/backing" "$work/stick" "$work/src"
/usr/bin/python3 "$here/bench/slow_stick.py" "$work/stick" --backing "$work/backing" --mbps "$mbps" &
pid=$!
for _ in $(seq 100); do mountpoint -q "$work/stick" && break; sleep 0.1; done
python3 - "$work" <<'PY'
import os, sys
work = sys.argv[1]
lines = []
for i in range(6):
    p = f"{work}/src/song {i}.mp3"
    open(p, "wb").write(os.urandom(10 * 1024 * 1024))
    lines.append("Z:" + p.replace("/", "\\"))
open(f"{work}/list.m3u", "w", newline="").write("#EXTM3U\r\n" + "".join(l + "\r\n" for l in lines))
PY
sleep 4
wine_env_start "$build" >/dev/null 2>&1
echo "stick: $mbps MB/s, no write cache; load before: $(cut -d' ' -f1-3 /proc/loadavg)"
for ((r = 1; r <= rounds; r++)); do
  mkdir "$work/stick/out$r"
  "$WINE" "$build/save_run_bench_win.exe" latency "Z:$work/list.m3u" "Z:$work/stick/out$r" | tr '\n' ' '
  echo
  rm -rf "$work/stick/out$r"
done
