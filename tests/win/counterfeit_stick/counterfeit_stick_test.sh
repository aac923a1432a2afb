#!/usr/bin/env bash
# Runs the counterfeit-stick suite on counterfeit_stick.py: 8 MiB of flash that claims
# 32 MiB, which Wine reaches under Z:. Fails, never skips, where the machine cannot
# mount it. Usage: counterfeit_stick_test.sh <win_counterfeit_stick_tests.exe> [gtest arguments]
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
exe=$1
shift
source "$here/../support/python_stick.sh"
PYTHON_STICK_WORK=$(mktemp -d "${TMPDIR:-/tmp}/tunelift-counterfeit.XXXXXX")
work=$PYTHON_STICK_WORK
python_stick_mount "$here/counterfeit_stick.py" "$work/stick" --real-mib 8

TUNELIFT_STICK="Z:${work//\//\\}\\stick" TUNELIFT_STICK_REAL_MIB=8 /usr/lib/wine/wine64 "$exe" "$@"
