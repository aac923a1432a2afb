#!/usr/bin/env bash
# Builds tunelift.exe (and tunelift-cli.exe beside it) and starts the window under Wine.
# Without a display it starts it on a virtual one, saves a screenshot and prints where.
set -euo pipefail
cd "$(dirname "$0")/.."
bash tools/deps.sh
cmake --preset windows >/dev/null
cmake --build build/windows -j "$(nproc)" --target tunelift tunelift-cli
exe="$PWD/build/windows/tunelift.exe"
source tools/wine-env.sh
if [[ -n "${DISPLAY:-}" ]] && xdpyinfo >/dev/null 2>&1; then
  TUNELIFT_KEEP_DISPLAY=1 wine_env_start "$PWD/build/windows"
  "$WINE" "$exe"
  wine_env_stop
else
  echo "No display found: starting Tunelift on a virtual display."
  wine_env_start "$PWD/build/windows"
  trap wine_env_stop EXIT
  "$WINE" "$exe" >/dev/null 2>&1 &
  sleep 4
  shot="$PWD/build/windows/tunelift-screenshot.png"
  import -window root "$shot"
  echo "Screenshot of the running program: $shot"
fi
