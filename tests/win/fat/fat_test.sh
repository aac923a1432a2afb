#!/usr/bin/env bash
# Runs the FAT suite against a real FAT32 file system: a 64 MB image, formatted FAT32
# and mounted through FUSE, which Wine reaches under Z:. Fails, never skips, when the
# machine cannot mount it. Usage: fat_test.sh <win_fat_tests.exe> [gtest arguments]
set -euo pipefail
exe=$1
shift
for tool in mkfs.vfat fusefat fusermount mountpoint; do
  command -v "$tool" >/dev/null || { echo "FAIL: $tool is missing (tools/deps.sh installs dosfstools and fusefat)"; exit 1; }
done
[[ -c /dev/fuse ]] || { echo "FAIL: /dev/fuse is missing: this machine has no FUSE"; exit 1; }

work=$(mktemp -d "${TMPDIR:-/tmp}/tunelift-fat.XXXXXX")
cleanup() {
  if mountpoint -q "$work/stick"; then fusermount -u "$work/stick" || fusermount -uz "$work/stick"; fi
  rm -rf "$work"
}
trap cleanup EXIT
truncate -s 64M "$work/stick.img"
mkfs.vfat -F 32 -n TUNELIFT "$work/stick.img" >/dev/null
mkdir "$work/stick"
fusefat -o rw+ "$work/stick.img" "$work/stick" >/dev/null 2>&1
for _ in $(seq 50); do mountpoint -q "$work/stick" && break; sleep 0.1; done
mountpoint -q "$work/stick" || { echo "FAIL: the FAT32 image did not mount"; exit 1; }

TUNELIFT_STICK="Z:${work//\//\\}\\stick" /usr/lib/wine/wine64 "$exe" "$@"
