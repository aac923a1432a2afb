# Sourced by the tools scripts: a private Wine prefix per build tree, a persistent
# wineserver and a virtual display, all stopped again by wine_env_stop.
# Usage: source tools/wine-env.sh; wine_env_start <build-dir>; ...; wine_env_stop

WINE=/usr/lib/wine/wine64
WINESERVER=/usr/lib/wine/wineserver

wine_env_start() {
  local build_dir=$1
  export WINEPREFIX="$build_dir/wineprefix" WINEARCH=win64 WINEDEBUG=-all
  export WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d"
  if [[ -z "${TUNELIFT_KEEP_DISPLAY:-}" ]]; then
    local n=$((90 + RANDOM % 400))
    while [[ -e /tmp/.X$n-lock || -e /tmp/.X11-unix/X$n ]]; do n=$((n + 1)); done
    Xvfb ":$n" -screen 0 1280x1024x24 -nolisten tcp >/dev/null 2>&1 &
    WINE_ENV_XVFB_PID=$!
    export DISPLAY=":$n"
    for _ in $(seq 50); do [[ -e /tmp/.X11-unix/X$n ]] && break; sleep 0.1; done
  fi
  if [[ ! -f "$WINEPREFIX/system.reg" ]]; then
    echo "Creating the Wine prefix $WINEPREFIX (once per build tree)"
    mkdir -p "$WINEPREFIX"
    "$WINE" wineboot --init >/dev/null 2>&1 || true
    "$WINESERVER" -w
    # A crash must fail the test at once, not wait for a click on Wine's crash dialog.
    "$WINE" reg add 'HKCU\Software\Wine\WineDbg' /v ShowCrashDialog /t REG_DWORD /d 0 /f >/dev/null 2>&1
    "$WINESERVER" -w
  fi
  # A copy of the prefix that no Wine process runs in: the release test copies a prefix
  # of its own from it for every run, to install into.
  if [[ ! -f "$build_dir/wineprefix-template/system.reg" ]]; then
    "$WINESERVER" -w
    rm -rf "$build_dir/wineprefix-template"
    cp -al "$WINEPREFIX" "$build_dir/wineprefix-template"
    for reg in system.reg user.reg userdef.reg; do
      cp --remove-destination "$WINEPREFIX/$reg" "$build_dir/wineprefix-template/$reg"
    done
  fi
  # A twin prefix that reports 144 dpi (150 %), where the window's DPI test runs once
  # more: the same files as hard links, a registry of its own.
  WINE_ENV_HIDPI="$build_dir/wineprefix-144dpi"
  if [[ ! -f "$WINE_ENV_HIDPI/system.reg" ]]; then
    "$WINESERVER" -w
    rm -rf "$WINE_ENV_HIDPI"
    cp -al "$WINEPREFIX" "$WINE_ENV_HIDPI"
    for reg in system.reg user.reg userdef.reg; do
      cp --remove-destination "$WINEPREFIX/$reg" "$WINE_ENV_HIDPI/$reg"
    done
    WINEPREFIX="$WINE_ENV_HIDPI" "$WINE" reg add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD /d 144 /f \
      >/dev/null 2>&1
    WINEPREFIX="$WINE_ENV_HIDPI" "$WINESERVER" -w
  fi
  "$WINESERVER" -p
  # Start Wine's helper processes now, with their output sent away, so that no later
  # pipe waits on them.
  "$WINE" cmd /c exit >/dev/null 2>&1 </dev/null || true
}

wine_env_stop() {
  "$WINESERVER" -k >/dev/null 2>&1 || true
  "$WINESERVER" -w >/dev/null 2>&1 || true
  if [[ -n "${WINE_ENV_HIDPI:-}" ]]; then
    WINEPREFIX="$WINE_ENV_HIDPI" "$WINESERVER" -k >/dev/null 2>&1 || true
    WINEPREFIX="$WINE_ENV_HIDPI" "$WINESERVER" -w >/dev/null 2>&1 || true
  fi
  if [[ -n "${WINE_ENV_XVFB_PID:-}" ]]; then
    kill "$WINE_ENV_XVFB_PID" 2>/dev/null || true
    wait "$WINE_ENV_XVFB_PID" 2>/dev/null || true
    unset WINE_ENV_XVFB_PID
  fi
}
