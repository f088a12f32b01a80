#!/usr/bin/env bash
# Installs what is missing, builds both trees and runs every test: the native tests first,
# then the Windows tests under Wine on a private display. Ends with CTest's summary line.
set -uo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)

"$root/scripts/bootstrap.sh" || exit 1
"$root/scripts/build.sh" || exit 1
cd "$root" || exit 1

ctest --preset native
native=$?

source "$root/scripts/wine-env.sh"
trap stop_all EXIT
start_display || exit 1
start_wine "$root/build/win/wineprefix"

# Window tests share one display, so they run one at a time (the preset says so).
ctest --preset win
windows=$?

[ $native -eq 0 ] && [ $windows -eq 0 ]
