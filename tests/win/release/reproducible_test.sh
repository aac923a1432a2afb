#!/usr/bin/env bash
# Two builds of one commit give the same programs: builds tunelift.exe and tunelift-cli.exe
# once more, in another folder and minutes later, and compares the bytes. A link time in
# the PE header or the resources, __DATE__ or __TIME__, or the build folder's path in an
# exe makes them differ; the source folder's path, the same in both builds here, is
# looked for in the exes instead.
# Usage: reproducible_test.sh <source folder> <build folder>
set -euo pipefail
source=$1 build=$2
again=$(mktemp -d "${TMPDIR:-/tmp}/tunelift-again.XXXXXX")
trap 'rm -rf "$again"' EXIT
cmake -S "$source" -B "$again" -G Ninja -DCMAKE_TOOLCHAIN_FILE="$source/cmake/mingw-w64-x86_64.cmake" \
  -DCMAKE_BUILD_TYPE=Release -DTUNELIFT_TESTS=OFF >/dev/null
nice -n 10 cmake --build "$again" -j 2 --target tunelift tunelift-cli >/dev/null
status=0
for program in tunelift.exe tunelift-cli.exe; do
  cmp "$build/$program" "$again/$program" || { echo "FAIL: $program differs between two builds"; status=1; }
  if { strings -a "$build/$program"; strings -a -el "$build/$program"; } | grep -q -F "$source"; then
    echo "FAIL: $program holds the source folder's path"
    status=1
  fi
done
exit $status
