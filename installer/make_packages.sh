#!/usr/bin/env bash
# Makes the downloads from the two built programs: Tunelift-<version>-win64.zip (the
# programs and README.txt), Tunelift-<version>-setup.exe and SHA256SUMS for both.
# Usage: make_packages.sh <folder with tunelift.exe and tunelift-cli.exe> <out folder> <version>
# Every file is stamped with SOURCE_DATE_EPOCH (tools/release.sh sets it to the commit's
# time), so the same programs always make the same zip.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
programs=$1 version=$3
mkdir -p "$2"
out=$(cd "$2" && pwd)
[[ $version =~ ^[0-9]+(\.[0-9]+){0,3}$ ]] || { echo "not a version: $version" >&2; exit 2; }
# The installer's own version resource wants four numbers.
IFS=. read -r -a parts <<< "$version"
while ((${#parts[@]} < 4)); do parts+=(0); done
version4=$(IFS=.; echo "${parts[*]}")
stamp=${SOURCE_DATE_EPOCH:-315964800}  # zip keeps no time before 1980

stage=$(mktemp -d)
trap 'rm -rf "$stage"' EXIT
cp "$programs/tunelift.exe" "$programs/tunelift-cli.exe" "$stage/"
# Notepad and every Windows editor read CR LF.
sed 's/$/\r/' "$here/README.txt" > "$stage/README.txt"
touch -d "@$stamp" "$stage"/*

zip_name=Tunelift-$version-win64.zip setup_name=Tunelift-$version-setup.exe
rm -f "$out/$zip_name" "$out/$setup_name" "$out/SHA256SUMS"
# Sorted names, no Unix extras (owner, extra times): only the bytes and the stamp count.
(cd "$stage" && TZ=UTC zip -q -X -D "$out/$zip_name" README.txt tunelift-cli.exe tunelift.exe)
makensis -V2 -DVERSION="$version" -DVERSION4="$version4" -DSTAGE="$stage" \
  -DOUTFILE="$out/$setup_name" "$here/tunelift.nsi"
(cd "$out" && sha256sum "$zip_name" "$setup_name" > SHA256SUMS)
