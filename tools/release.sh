#!/usr/bin/env bash
# Builds a release of the committed tree and writes into dist/:
# Tunelift-<version>-win64.zip, Tunelift-<version>-setup.exe and SHA256SUMS.
# It builds from a copy of HEAD in a fresh folder, so uncommitted changes never ship.
set -euo pipefail
cd "$(dirname "$0")/.."
bash tools/deps.sh
if [[ -n $(git status --porcelain --untracked-files=no) ]]; then
  echo "Note: uncommitted changes are left out; the release is $(git rev-parse --short HEAD)."
fi
work=$(mktemp -d "${TMPDIR:-/tmp}/tunelift-release.XXXXXX")
trap 'rm -rf "$work"' EXIT
git archive --format=tar HEAD | tar -x -C "$work"

echo "== Building tunelift.exe and tunelift-cli.exe from $(git rev-parse --short HEAD)"
(cd "$work" && cmake --preset windows -DTUNELIFT_TESTS=OFF >/dev/null)
cmake --build "$work/build/windows" -j "$(nproc)" --target tunelift tunelift-cli
version=$(sed -n 's/^CMAKE_PROJECT_VERSION:STATIC=//p' "$work/build/windows/CMakeCache.txt")

echo "== Packing Tunelift $version"
rm -rf dist
SOURCE_DATE_EPOCH=$(git log -1 --format=%ct HEAD) \
  bash "$work/installer/make_packages.sh" "$work/build/windows" dist "$version"
ls -l dist
cat dist/SHA256SUMS
