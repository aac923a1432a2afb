#!/usr/bin/env bash
# Takes the README's screenshots: the window after a Check run, in English and German,
# and the open Options menu.
set -euo pipefail
cd "$(dirname "$0")/.."
cmake --preset windows >/dev/null
cmake --build build/windows -j "$(nproc)" --target tunelift tunelift_drive
source tools/wine-env.sh
wine_env_start "$PWD/build/windows"
trap wine_env_stop EXIT
drive() { "$WINE" build/windows/tunelift_drive.exe "$@"; }

# A small music folder and playlist inside the Wine prefix.
music="$WINEPREFIX/drive_c/users/Public/Music/Mix"
mkdir -p "$music" "$WINEPREFIX/drive_c/Player"
printf '#EXTM3U\r\n' > "$music/mix.m3u"
for song in "Blue Train" "So What" "Naima" "Moanin'" "Take Five"; do
  printf 'ID3' > "$music/$song.mp3"
  printf '#EXTINF:300,%s\r\nC:\\users\\Public\\Music\\Mix\\%s.mp3\r\n' "$song" "$song" >> "$music/mix.m3u"
done
printf 'C:\\users\\Public\\Music\\Mix\\Missing.mp3\r\n' >> "$music/mix.m3u"

"$WINE" build/windows/tunelift.exe >/dev/null 2>&1 &
sleep 3
for lang in English Deutsch; do
  drive lang "$lang" text 1003 'C:\users\Public\Music\Mix\mix.m3u' text 1005 'C:\Player' click 1013
  sleep 3
  out="docs/screenshot-$( [[ $lang == English ]] && echo en || echo de ).png"
  geometry=$(xwininfo -root -tree | awk '/Tevkan/ {print $(NF-1)}' | head -1)
  import -window root -crop "${geometry:-730x470+0+0}" +repage "$out"
  echo "wrote $out"
done
drive menu 2007
sleep 1

# The Options menu, open, two items ticked, in Wine's own desktop, which draws the
# window's frame as Windows does. The drive tool must run in that desktop to find the
# window. The choices this saves are removed again.
desktop() { "$WINE" explorer /desktop=options,760x480 "$@"; }
rm -f "$WINEPREFIX"/drive_c/users/*/AppData/Roaming/Tunelift/Tunelift.ini
desktop build/windows/tunelift.exe >/dev/null 2>&1 &
sleep 3
desktop build/windows/tunelift_drive.exe menu 2102 menu 2103 open 1
sleep 2
geometry=$(xwininfo -root -tree | awk '/Tevkan/ {print $(NF-1)}' | head -1)
import -window root -crop "${geometry:-717x401+0+0}" +repage docs/screenshot-options.png
echo "wrote docs/screenshot-options.png"
rm -f "$WINEPREFIX"/drive_c/users/*/AppData/Roaming/Tunelift/Tunelift.ini
