#!/usr/bin/env bash
# Start-up and close of two builds of the program side by side, on a virtual X display of its
# own, with a store of ITEMS items (1000 unless given) put back before each run; RUNS runs of
# each build (11 unless given). Build the harness first: cmake --preset bench && cmake --build
# --preset bench. An older build to compare with, for instance of commit C:
#   git archive C | tar -x -C /tmp --one-top-level=old
#   cmake -S /tmp/old -B /tmp/old/build -G Ninja -DCMAKE_BUILD_TYPE=Release -DBUILD_TESTING=OFF
#   cmake --build /tmp/old/build --target tavrel
# Usage: bench/start_close.sh OLD_PROGRAM NEW_PROGRAM [ITEMS] [RUNS]
set -euo pipefail
here="$(cd "$(dirname "$0")/.." && pwd)"
harness="${START_CLOSE:-$here/build-bench/bench/start_close}"
[ $# -ge 2 ] || { sed -n '2,10p' "$0" | sed 's/^# \{0,1\}//'; exit 2; }
old="$(realpath "$1")" new="$(realpath "$2")" items="${3:-1000}" runs="${4:-11}"

scratch="$(mktemp -d)"
display=:$((90 + RANDOM % 100))
Xvfb "$display" -screen 0 1280x1024x24 -nolisten tcp >/dev/null 2>&1 &
xvfb=$!
trap 'kill "$xvfb"; rm -rf "$scratch"' EXIT
for _ in $(seq 50); do [ -e "/tmp/.X11-unix/X${display#:}" ] && break; sleep 0.1; done

# The programs keep to a home of their own in the scratch folder, the store in its config folder.
mkdir -m 700 "$scratch/runtime" "$scratch/home"
env -u XDG_DATA_HOME -u XDG_CACHE_HOME -u XDG_STATE_HOME HOME="$scratch/home" \
    XDG_CONFIG_HOME="$scratch/home/.config" DISPLAY="$display" QT_QPA_PLATFORM=xcb \
    XDG_RUNTIME_DIR="$scratch/runtime" "$harness" "$items" "$runs" "$old" "$new"
