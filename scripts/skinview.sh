#!/usr/bin/env bash
# Builds and starts the skin viewer, SkinView.exe, under Wine on the current display:
#   scripts/skinview.sh [skin file]      (the default skin without one)
set -uo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)

"$root/scripts/bootstrap.sh" || exit 1
"$root/scripts/build.sh" || exit 1
if [ -z "${DISPLAY:-}" ] || ! xdpyinfo >/dev/null 2>&1; then
    echo "skinview: needs a display (DISPLAY); the window tests take its screenshots without one" >&2
    exit 1
fi

source "$root/scripts/wine-env.sh"
trap stop_all EXIT
start_wine "$root/build/win/wineprefix"
skin=()
[ $# -gt 0 ] && skin=("$(realpath "$1")")
"$WINE64" "$root/build/win/tools/skinview/SkinView.exe" "${skin[@]}"
