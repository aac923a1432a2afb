#!/usr/bin/env bash
# A longer kill soak than the one in the test command: runs the kill test of the
# faults suite with TUNELIFT_KILLS kills (default 500) under Wine.
# Usage: tools/kill_soak.sh [kills]   (after: cmake --preset windows && cmake --build build/windows)
set -euo pipefail
cd "$(dirname "$0")/.."
kills=${1:-500}
source tools/wine-env.sh
wine_env_start "$PWD/build/windows"
trap wine_env_stop EXIT
TUNELIFT_KILLS=$kills /usr/lib/wine/wine64 build/windows/win_faults_tests.exe \
  --gtest_filter='KilledSaveRuns.*'
