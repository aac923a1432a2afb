#!/usr/bin/env bash
# Runs the sticks suite on two misbehaving sticks built in Python (FUSE, through
# python3-fusepy), which Wine reaches under Z:: failing_stick.py over an empty backing
# folder, whose damaged songs the suite picks by writing its control file, and
# counterfeit_stick.py, 8 MiB of flash that claims 32 MiB. Fails, never skips, where
# the machine cannot mount them.
# Usage: sticks_test.sh <win_sticks_tests.exe> [gtest arguments]
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
exe=$1
shift
[[ $EUID -eq 0 ]] || { echo "FAIL: mounting the FUSE sticks here needs root"; exit 1; }
[[ -c /dev/fuse ]] || { echo "FAIL: /dev/fuse is missing: this machine has no FUSE"; exit 1; }
for tool in fusermount mountpoint; do
  command -v "$tool" >/dev/null || { echo "FAIL: $tool is missing (tools/deps.sh installs fuse)"; exit 1; }
done
# fusepy lives in the system's Python, which need not be the first python3 on PATH.
/usr/bin/python3 -c 'import fusepy' 2>/dev/null ||
  { echo "FAIL: /usr/bin/python3 cannot import fusepy (tools/deps.sh installs python3-fusepy)"; exit 1; }

work=$(mktemp -d "${TMPDIR:-/tmp}/tunelift-sticks.XXXXXX")
pids=()
cleanup() {
  for mnt in "$work/failing" "$work/counterfeit"; do
    if mountpoint -q "$mnt"; then fusermount -u "$mnt" || fusermount -uz "$mnt"; fi
  done
  for pid in "${pids[@]}"; do kill "$pid" 2>/dev/null || true; wait "$pid" 2>/dev/null || true; done
  rm -rf "$work"
}
trap cleanup EXIT
mount_stick() {  # <mountpoint> <script> [arguments]
  mkdir "$1"
  /usr/bin/python3 "$here/$2" "$1" "${@:3}" >"$1.log" 2>&1 &
  pids+=($!)
  for _ in $(seq 100); do mountpoint -q "$1" && return 0; sleep 0.1; done
  echo "FAIL: $2 did not mount:"
  cat "$1.log"
  exit 1
}
mkdir "$work/backing"
: >"$work/control"
mount_stick "$work/failing" failing_stick.py --backing "$work/backing" --control "$work/control"
mount_stick "$work/counterfeit" counterfeit_stick.py --real-mib 8

at=${work//\//\\}
TUNELIFT_FAILING_STICK="Z:$at\\failing" TUNELIFT_STICK_CONTROL="Z:$at\\control" \
  TUNELIFT_COUNTERFEIT_STICK="Z:$at\\counterfeit" TUNELIFT_COUNTERFEIT_REAL_MIB=8 \
  /usr/lib/wine/wine64 "$exe" "$@"
