#!/usr/bin/env bash
# Runs the failing-stick suite on failing_stick.py mounted over an empty backing folder,
# which Wine reaches under Z:; the suite picks the songs the stick damages by writing
# its control file. Fails, never skips, where the machine cannot mount it.
# Usage: failing_stick_test.sh <win_failing_stick_tests.exe> [gtest arguments]
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
exe=$1
shift
source "$here/../support/python_stick.sh"
PYTHON_STICK_WORK=$(mktemp -d "${TMPDIR:-/tmp}/tunelift-failing.XXXXXX")
work=$PYTHON_STICK_WORK
mkdir "$work/backing"
: >"$work/control"
python_stick_mount "$here/failing_stick.py" "$work/stick" --backing "$work/backing" --control "$work/control"

TUNELIFT_STICK="Z:${work//\//\\}\\stick" TUNELIFT_STICK_CONTROL="Z:${work//\//\\}\\control" \
  /usr/lib/wine/wine64 "$exe" "$@"
