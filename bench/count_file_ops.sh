#!/usr/bin/env bash
# Counts the file-system work a Save run and a Check run do per song under Wine, from
# the system calls of the program and of the wineserver (strace), cut to the run itself
# by a marker file. Runs 100 and 200 songs of 256 KiB into an empty folder and divides
# the difference by 100, so the run's fixed costs drop out. Counts do not depend on the
# machine's load.
#   bench/count_file_ops.sh <windows build dir> [work dir] [bench exe]
# KEEP_TRACES=1 keeps the traces in the work dir for reading.
set -euo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)
build=$(cd "$1" && pwd)
work=${2:-/tmp/tunelift-ops}
exe=${3:-$build/save_run_bench_win.exe}
command -v strace >/dev/null || { echo "needs strace" >&2; exit 2; }

source "$here/tools/wine-env.sh"
strace_pid=
cleanup() {
    [[ -n $strace_pid ]] && kill "$strace_pid" 2>/dev/null || true
    wine_env_stop
    [[ -n ${KEEP_TRACES:-} ]] || rm -rf "$work"
}
trap cleanup EXIT
wine_env_start "$build" >/dev/null 2>&1
# The wineserver of this prefix: the one whose folder is named after the prefix's device and inode.
server_dir=$(printf 'server-%x-%x' $(stat -c '%d %i' "$WINEPREFIX"))
server=
for pid in $(pgrep -u "$(id -u)" wineserver); do
    [[ $(readlink "/proc/$pid/cwd") == */$server_dir ]] && server=$pid
done
[[ -n $server ]] || { echo "no wineserver for $WINEPREFIX" >&2; exit 1; }

rm -rf "$work"
mkdir -p "$work/src"
python3 - "$work" <<'PY'
import os, sys
work = sys.argv[1]
paths = []
for i in range(200):
    p = f"{work}/src/{i:04} Some Artist - Title of song {i:04}.mp3"
    with open(p, "wb") as f:
        f.write(os.urandom(256 * 1024))
    paths.append(p)
for n in (100, 200):
    with open(f"{work}/n{n}.m3u", "w", newline="") as f:
        f.write("#EXTM3U\r\n" + "".join("Z:" + p.replace("/", "\\") + "\r\n" for p in paths[:n]))
open(f"{work}/marker", "w").close()
PY
sleep 4  # the playlist reader re-reads a file written within the last 3 seconds

trace() {  # <mode> <songs>: one trace of the run, client and server merged by time
    local out="$work/trace-$1-$2"
    rm -rf "$work/out"; mkdir "$work/out"
    # A Check run looks for the copies: give it a destination that holds them.
    [[ $1 == check ]] && cp "$work"/src/*.mp3 "$work/out/"
    strace -f -ttt -qq -o "$out.server" -p "$server" & strace_pid=$!
    sleep 1
    strace -f -ttt -qq -o "$out.client" "$WINE" "$exe" "$1" "Z:$work/n$2.m3u" "Z:$work/out" "Z:$work/marker" >/dev/null
    sleep 0.5
    kill "$strace_pid"; wait "$strace_pid" 2>/dev/null || true; strace_pid=
}
for mode in save cli loop check; do for n in 100 200; do trace "$mode" "$n"; done; done

python3 - "$work" <<'PY'
import re, sys
work = sys.argv[1]
out, src, marker = f"{work}/out", f"{work}/src", f"{work}/marker"

def lines(path):
    for line in open(path, errors="replace"):
        m = re.match(r"(\d+)\s+([\d.]+) (.*)", line)
        if m: yield float(m.group(2)), m.group(3)

def counts(mode, n):
    base = f"{work}/trace-{mode}-{n}"
    client = list(lines(base + ".client"))
    marks = [t for t, call in client if marker in call and call.startswith("newfstatat")]
    begin, end = marks[0], marks[-1]
    c = dict.fromkeys(["scan out", "scan other", "open", "create", "stat", "dos attr", "rename", "flush",
                       "server requests", "client calls"], 0)
    for side in ("client", "server"):
        for t, call in lines(f"{base}.{side}"):
            if not begin < t < end: continue
            name = call.split("(", 1)[0]
            if side == "client": c["client calls"] += 1
            # Every request to the wineserver starts with a 64-byte header.
            if side == "server" and re.match(r'read\(\d+, ".*"\.*, 64\) = 64', call): c["server requests"] += 1
            if name == "openat" and "O_DIRECTORY" in call and "O_CLOEXEC" in call:
                c["scan out" if f'"{out}"' in call or f'/out"' in call else "scan other"] += 1
            elif side == "server" and name == "openat" and "O_DIRECTORY" not in call:
                c["create" if "O_CREAT" in call else "open"] += 1
            elif name == "newfstatat" and "AT_FDCWD" in call and (f"{out}/" in call or f"{src}/" in call
                                                                  or "/out/" in call or "/src/" in call):
                c["stat"] += 1
            elif name in ("getxattr", "fgetxattr", "setxattr", "fsetxattr") and "DOSATTRIB" in call:
                c["dos attr"] += 1
            elif name.startswith("rename"):
                c["rename"] += 1
            elif name in ("fsync", "fdatasync"):
                c["flush"] += 1
    return c

print("Per song (200-song run minus 100-song run, divided by 100):")
keys = list(counts("save", 100).keys())
print("| run | " + " | ".join(keys) + " |")
print("|---|" + "---:|" * len(keys))
for mode in ("save", "cli", "loop", "check"):
    a, b = counts(mode, 100), counts(mode, 200)
    print(f"| {mode} | " + " | ".join(f"{(b[k] - a[k]) / 100:g}" for k in keys) + " |")
PY
