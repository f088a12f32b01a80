#!/usr/bin/env bash
# Builds Quellox and starts it together with the router simulator on 127.0.0.1:2323 (Huawei,
# a demonstration table, the window's default passwords). With a display, type 127.0.0.1:2323
# into the router address box; it runs until the window is closed. Without a display it runs
# on a private Xvfb and drives itself through one cycle (address, connect, census, report),
# saving a screenshot of each step in build/demo and the first one as build/screenshot.png.
set -uo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)

"$root/scripts/bootstrap.sh" || exit 1
"$root/scripts/build.sh" || exit 1

source "$root/scripts/wine-env.sh"
sim_pid=""
cleanup() {
    [ -n "$sim_pid" ] && kill "$sim_pid" 2>/dev/null && wait "$sim_pid" 2>/dev/null
    stop_all
}
trap cleanup EXIT

port=${QUELLOX_DEMO_PORT:-2323}
"$root/build/native/tools/routersim/routersim" --port "$port" --dialect huawei \
    --password 'tavernite!@#' --enable-password 'tavernite!@#' \
    --hosts 192.168.1.23=186,192.168.1.57=141,192.168.1.8=104,192.168.1.90=100,192.168.1.31=77,192.168.1.12=42,192.168.1.64=9 \
    >/dev/null &
sim_pid=$!
exe="$root/build/win/app/Quellox.exe"

if [ -n "${DISPLAY:-}" ] && xdpyinfo >/dev/null 2>&1; then
    echo "run: router simulator on 127.0.0.1:$port - type 127.0.0.1:$port into the router address box"
    start_wine "$root/build/win/wineprefix"
    "$WINE64" "$exe"
    exit 0
fi

start_display || exit 1
start_wine "$root/build/win/wineprefix"
demo="$root/build/demo"
rm -rf "$demo" && mkdir -p "$demo"
"$WINE64" "$exe" &
"$WINE64" "$root/build/win/tools/demodriver/demodriver.exe" "127.0.0.1:$port" "$("$WINE64" winepath -w "$demo" 2>/dev/null)"
for bmp in "$demo"/*.bmp; do
    [ -e "$bmp" ] && convert "$bmp" "${bmp%.bmp}.png" && rm "$bmp"
done
[ -e "$demo/demo_1_start.png" ] && cp "$demo/demo_1_start.png" "$root/build/screenshot.png"
echo "run: screenshots in $demo, first one as build/screenshot.png"
exit 0
