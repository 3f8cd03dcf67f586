#!/usr/bin/env bash
# Installs the Debian 12 packages the build, the tests and the benchmarks need: the start-up
# benchmark watches the window's first paint on a virtual X display; the four after the fonts
# check the install and make and check the Debian package; clang and its runtime build the fuzz
# targets; Firefox, xdotool and the X tools let a suite open Firefox on the page. Given package
# names, it installs those instead.
set -euo pipefail
packages=(build-essential cmake ninja-build qt6-base-dev qt6-base-dev-tools libgl-dev
          libbenchmark-dev libxcb-damage0-dev xvfb fonts-dejavu-core fonts-dejavu-extra
          desktop-file-utils appstream dpkg-dev lintian clang-14 libclang-rt-14-dev
          firefox-esr xdotool x11-utils)
if (($#)); then
    packages=("$@")
fi
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
