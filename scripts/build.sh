#!/usr/bin/env bash
# Configures (once) and builds both trees: build/win (the Windows program and its tests)
# and build/native (portable libraries and tools, tests under ASan and UBSan).
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
jobs=${JOBS:-$(nproc)}

if [ ! -f "$root/build/native/CMakeCache.txt" ]; then
    cmake -S "$root" -B "$root/build/native" -DCMAKE_BUILD_TYPE=Debug -DQUELLOX_SANITIZE=ON >/dev/null
fi
cmake --build "$root/build/native" -j "$jobs"

if [ ! -f "$root/build/win/CMakeCache.txt" ]; then
    cmake -S "$root" -B "$root/build/win" -DCMAKE_BUILD_TYPE=Release \
          -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-w64-x86_64.cmake" \
          -DQUELLOX_HOST_SKINPACK="$root/build/native/tools/skinpack/skinpack" >/dev/null
fi
cmake --build "$root/build/win" -j "$jobs"
