#!/usr/bin/env bash
# Takes the README's screenshots: the window after a Check run in English and German at
# 96 dpi, the open Options menu, and the window in English at 144 dpi (150 %). The program
# runs inside a Wine virtual desktop, which draws window frames (caption, icon, buttons) as
# Windows does.
set -euo pipefail
cd "$(dirname "$0")/.."
cmake --preset windows >/dev/null
cmake --build build/windows -j "$(nproc)" --target tunelift tunelift_drive
source tools/wine-env.sh
wine_env_start "$PWD/build/windows"
trap wine_env_stop EXIT
exe="$PWD/build/windows/tunelift.exe"
drive() { "$WINE" build/windows/tunelift_drive.exe desktop tunelift "$@"; }

# A small music folder and playlist inside the prefix, and Wine's Marlett font, which
# draws the caption buttons, where the prefix looks for fonts.
make_music() {
  cp /usr/share/wine/fonts/marlett.ttf "$WINEPREFIX/drive_c/windows/Fonts/" 2>/dev/null || true
  local music="$WINEPREFIX/drive_c/users/Public/Music/Mix"
  mkdir -p "$music" "$WINEPREFIX/drive_c/Player"
  printf '#EXTM3U\r\n' > "$music/mix.m3u"
  for song in "Blue Train" "So What" "Naima" "Moanin'" "Take Five"; do
    printf 'ID3' > "$music/$song.mp3"
    printf '#EXTINF:300,%s\r\nC:\\users\\Public\\Music\\Mix\\%s.mp3\r\n' "$song" "$song" >> "$music/mix.m3u"
  done
  printf 'C:\\users\\Public\\Music\\Mix\\Missing.mp3\r\n' >> "$music/mix.m3u"
}

# crop_window <png>: the window with its frame, cut from the screen.
crop_window() {
  local desktop window
  desktop=$(xwininfo -root -tree | awk '/Wine desktop/ {print $NF; exit}')  # +X+Y on the screen
  window=$(drive rect | tr -d '\r')                                         # WxH+X+Y in the desktop
  local dx dy size wx wy
  dx=$(cut -d+ -f2 <<<"$desktop"); dy=$(cut -d+ -f3 <<<"$desktop")
  size=${window%%+*}; wx=$(cut -d+ -f2 <<<"$window"); wy=$(cut -d+ -f3 <<<"$window")
  import -window root -crop "${size}+$((dx + wx))+$((dy + wy))" +repage "$1"
  echo "wrote $1"
}

# shot <language> <png>: a Check run in that language, then the window with its frame
# (and the pointer out of the way).
shot() {
  drive pointer 5000 5000 lang "$1" text 1003 'C:\users\Public\Music\Mix\mix.m3u' text 1005 'C:\Player' click 1013
  sleep 3
  crop_window "$2"
}

# desktop <name> <WxH>: the program alone on a virtual desktop of that size.
desktop() {
  "$WINE" explorer /desktop="$1,$2" "$exe" >/dev/null 2>&1 &
  sleep 4
}

# Each shot on a fresh start, so that the log shows one run.
make_music
for lang in English Deutsch; do
  desktop tunelift 900x600
  shot "$lang" "docs/screenshot-$([[ $lang == English ]] && echo en || echo de).png"
  "$WINESERVER" -k
done

# The Options menu, open, two items ticked. The choices this saves are removed again.
ini() { rm -f "$WINEPREFIX"/drive_c/users/*/AppData/Roaming/Tunelift/Tunelift.ini; }
ini
desktop tunelift 900x600
drive pointer 5000 5000 menu 2102 menu 2103 open 1
sleep 2
crop_window docs/screenshot-options.png
"$WINESERVER" -k
ini

export WINEPREFIX="$WINE_ENV_HIDPI"
make_music
desktop tunelift 1300x900
shot English docs/screenshot-144dpi.png
"$WINESERVER" -k
