#!/usr/bin/env bash
# Installs what the build and the tests need and is missing; safe to run again.
set -euo pipefail

packages=(g++-mingw-w64-x86-64-posix mingw-w64-x86-64-dev wine64 xvfb xauth x11-utils
          cmake make googletest clang fonts-wqy-microhei imagemagick python3 inetutils-telnetd)

missing=()
for p in "${packages[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0

echo "bootstrap: installing ${missing[*]}"
SUDO=""
[ "$(id -u)" -ne 0 ] && SUDO="sudo"
export DEBIAN_FRONTEND=noninteractive
$SUDO apt-get update -qq
$SUDO apt-get install -y -qq --no-install-recommends "${missing[@]}"
