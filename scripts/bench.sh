#!/usr/bin/env bash
# Builds both trees and runs every benchmark program (bench_*): the native ones directly, the
# Windows ones under Wine on a private display. Figures are ratios from one run side by side.
set -uo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
"$root/scripts/bootstrap.sh" || exit 1
"$root/scripts/build.sh" || exit 1
# The native benchmarks build in a release tree of their own (the test tree has sanitizers).
cd "$root" || exit 1
if [ ! -f build/bench/CMakeCache.txt ]; then
    cmake --preset bench >/dev/null || exit 1
fi
cmake --build --preset bench -j "${JOBS:-$(nproc)}" || exit 1

mapfile -t native < <(find "$root/build/bench/bench" -type f -name 'bench_*' -perm -u+x 2>/dev/null | sort)
mapfile -t windows < <(find "$root/build/win/bench" -type f -name 'bench_*.exe' 2>/dev/null | sort)
if [ ${#native[@]} -eq 0 ] && [ ${#windows[@]} -eq 0 ]; then
    echo "bench: no benchmarks yet"
    exit 0
fi
status=0
for b in "${native[@]}"; do
    echo "== $(basename "$b")"
    "$b" || status=1
done
if [ ${#windows[@]} -gt 0 ]; then
    source "$root/scripts/wine-env.sh"
    trap stop_all EXIT
    start_display || exit 1
    start_wine "$root/build/win/wineprefix"
    for b in "${windows[@]}"; do
        echo "== $(basename "$b")"
        "$WINE64" "$b" || status=1
    done
fi
exit $status
