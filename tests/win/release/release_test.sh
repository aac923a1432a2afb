#!/usr/bin/env bash
# Packs the programs built beside the suite as tools/release.sh does, checks the zip and
# the checksums, then installs silently, runs Installed.*, leaves the user's settings,
# uninstalls silently and runs Uninstalled.* in a Wine prefix of its own, so the suites
# running beside it never see Tunelift installed.
# Usage: release_test.sh <win_release_tests.exe> [gtest arguments]; TUNELIFT_VERSION set.
set -euo pipefail
exe=$1
shift
build=$(cd "$(dirname "$exe")" && pwd)
source=$(cd "$(dirname "$0")/../../.." && pwd)
wine=/usr/lib/wine/wine64 wineserver=/usr/lib/wine/wineserver
version=${TUNELIFT_VERSION:?the project version}
fail() { echo "FAIL: $*"; exit 1; }
# tools/wine-env.sh keeps this copy of a new prefix that no Wine process runs in.
[[ -f $build/wineprefix-template/system.reg ]] || fail "no $build/wineprefix-template: run through tools/test.sh"

work=$(mktemp -d "${TMPDIR:-/tmp}/tunelift-install.XXXXXX")
cleanup() {
  WINEPREFIX=$work/prefix "$wineserver" -k >/dev/null 2>&1 || true
  rm -rf "$work"
}
trap cleanup EXIT

bash "$source/installer/make_packages.sh" "$build" "$work/dist" "$version"
zip=$work/dist/Tunelift-$version-win64.zip
listing=$(unzip -Z1 "$zip" | tr '\n' ' ')
[[ $listing == "README.txt tunelift-cli.exe tunelift.exe " ]] || fail "the zip holds: $listing"
[[ $(unzip -p "$zip" README.txt | grep -c -v $'\r$') == 0 ]] || fail "README.txt has lines without CR LF"
(cd "$work/dist" && sha256sum --quiet -c SHA256SUMS) || fail "SHA256SUMS does not match the downloads"

# The same files as hard links (the installer only adds files), a registry of its own.
cp -al "$build/wineprefix-template" "$work/prefix"
for reg in system.reg user.reg userdef.reg; do cp --remove-destination "$build/wineprefix-template/$reg" "$work/prefix/"; done
export WINEPREFIX=$work/prefix
"$wine" "$work/dist/Tunelift-$version-setup.exe" /S || fail "the silent install ended with $?"
"$wineserver" -w
home=$WINEPREFIX/drive_c/users/$(id -un)
installed=$home/AppData/Local/Programs/Tunelift
"$wine" "$installed/tunelift-cli.exe" --version > "$work/version.txt"
[[ $(tr -d '\r' < "$work/version.txt") == "tunelift-cli $version" ]] || fail "--version says $(cat "$work/version.txt")"
status=0
"$wine" "$exe" --gtest_filter='Installed.*' "$@" || status=1

# The settings a user keeps: beside the program (carried on a stick) and in the profile.
# Removed first: a file of the template is a hard link into the shared prefix.
for ini in "$installed/Tunelift.ini" "$home/AppData/Roaming/Tunelift/Tunelift.ini"; do
  mkdir -p "$(dirname "$ini")" && rm -f "$ini" && printf '[Options]\r\n' > "$ini"
done
"$wine" "$installed/uninstall.exe" /S || fail "the silent uninstall ended with $?"
# The uninstaller runs on from a copy of itself: wait for every process of the prefix.
"$wineserver" -w
"$wine" "$exe" --gtest_filter='Uninstalled.*' "$@" || status=1
exit $status
