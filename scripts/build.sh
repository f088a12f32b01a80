#!/usr/bin/env bash
# Configures (once) and builds both trees from their presets (CMakePresets.json): build/native
# (portable libraries and tools, tests under ASan and UBSan), then build/win (the Windows program
# and its tests), which packs the default skin with the native tree's skinpack.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
jobs=${JOBS:-$(nproc)}
cd "$root"

for tree in native win; do
    [ -f "build/$tree/CMakeCache.txt" ] || cmake --preset "$tree" >/dev/null
    cmake --build --preset "$tree" -j "$jobs"
done
