#!/usr/bin/env bash
# Installs the Debian 12 packages the Windows build needs: the MinGW-w64 cross compiler, the host
# Qt whose tools (moc, uic, rcc) the cross build runs, Wine and a virtual display to run the
# program and its suites, NSIS for the installer, and dpkg-dev to unpack Qt's source.
set -euo pipefail
packages=(build-essential cmake ninja-build dpkg-dev g++-mingw-w64-x86-64-posix
          qt6-base-dev qt6-base-dev-tools libgl-dev wine64 xvfb xauth nsis zip unzip)
missing=()
for p in "${packages[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "ok installed" || missing+=("$p")
done
if ((${#missing[@]})); then
    sudo_cmd=()
    [ "$(id -u)" -eq 0 ] || sudo_cmd=(sudo)
    "${sudo_cmd[@]}" apt-get update
    DEBIAN_FRONTEND=noninteractive "${sudo_cmd[@]}" apt-get install -y --no-install-recommends "${missing[@]}"
fi
