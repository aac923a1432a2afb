#!/usr/bin/env bash
# Builds everything and runs every test: the engine natively (with ASan and UBSan),
# a short fuzz run, and the Windows build under Wine on a virtual display.
set -euo pipefail
cd "$(dirname "$0")/.."
bash tools/deps.sh
jobs=$(nproc)
status=0

echo "== Native engine tests (ASan, UBSan)"
cmake --preset native >/dev/null
cmake --build build/native -j "$jobs"
ctest --test-dir build/native --output-on-failure || status=1

echo "== A run's thread and its front end (ThreadSanitizer)"
cmake --preset tsan >/dev/null
cmake --build build/tsan -j "$jobs" --target thread_tests
ctest --test-dir build/tsan --output-on-failure || status=1

echo "== Fuzzing (short run)"
cmake --preset fuzz >/dev/null
cmake --build build/fuzz -j "$jobs"
ctest --test-dir build/fuzz --output-on-failure || status=1

echo "== Windows build and tests under Wine"
cmake --preset windows >/dev/null
cmake --build build/windows -j "$jobs"
source tools/wine-env.sh
wine_env_start "$PWD/build/windows"
trap wine_env_stop EXIT
ctest --test-dir build/windows --output-on-failure -j 2 || status=1
exit $status
