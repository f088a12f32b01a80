#!/usr/bin/env bash
# Builds and starts Quellox. With a display it runs until the window is closed; without one
# it runs on a private Xvfb for a few seconds and saves a screenshot to build/screenshot.png.
set -uo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)

"$root/scripts/bootstrap.sh" || exit 1
"$root/scripts/build.sh" || exit 1

source "$root/scripts/wine-env.sh"
trap stop_all EXIT
exe="$root/build/win/app/Quellox.exe"

if [ -n "${DISPLAY:-}" ] && xdpyinfo >/dev/null 2>&1; then
    start_wine "$root/build/win/wineprefix"
    "$WINE64" "$exe"
    exit 0
fi

start_display || exit 1
start_wine "$root/build/win/wineprefix"
"$WINE64" "$exe" &
sleep "${QUELLOX_RUN_SECONDS:-6}"
shot="$root/build/screenshot.png"
import -display "$DISPLAY" -window root "$shot" && echo "run: screenshot saved to $shot"
exit 0
