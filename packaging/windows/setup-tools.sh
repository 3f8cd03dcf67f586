#!/usr/bin/env bash
# Installs the Debian 12 packages the Windows build needs: the MinGW-w64 cross compiler, the host
# Qt whose tools (moc, uic, rcc) the cross build runs, Wine and a virtual display to run the
# program and its suites, NSIS for the installer, and dpkg-dev to unpack Qt's source.
set -euo pipefail
exec bash "$(dirname "$0")/../setup-debian.sh" \
    build-essential cmake ninja-build dpkg-dev g++-mingw-w64-x86-64-posix \
    qt6-base-dev qt6-base-dev-tools libgl-dev wine64 xvfb xauth nsis
