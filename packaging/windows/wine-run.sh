#!/usr/bin/env bash
# Runs a Windows program under Wine in a Wine prefix of the build's own, made on first use, with
# the given folders on Wine's search path for libraries and Wine's own chatter off. CTest runs
# the Windows suites through it; so do the installer's checks.
#   wine-run.sh PREFIX DLL_FOLDERS PROGRAM [ARGUMENT...]
# DLL_FOLDERS is a colon-separated list of Linux folders.
set -euo pipefail
wine_prefix="$1"
dll_folders="$2"
shift 2
wine="${TAVREL_WINE:-/usr/lib/wine/wine64}"

export WINEPREFIX="$wine_prefix"
export WINEDEBUG="${WINEDEBUG:--all}"
# No .NET or browser engine to offer to download on the prefix's first start.
export WINEDLLOVERRIDES="${WINEDLLOVERRIDES:-mscoree,mshtml=}"

if [ ! -f "$WINEPREFIX/.made" ]; then
    mkdir -p "$WINEPREFIX"
    (
        flock 9
        if [ ! -f "$WINEPREFIX/.made" ]; then
            "$wine" wineboot --init
            "$(dirname "$wine")/wineserver" --wait
            touch "$WINEPREFIX/.made"
        fi
    ) 9>"$WINEPREFIX.lock"
fi

# Wine reads the search path in Windows spelling, where drive Z: is the Linux root.
windows_path=""
IFS=: read -r -a folders <<<"$dll_folders"
for folder in "${folders[@]}"; do
    windows_path+="${windows_path:+;}Z:${folder//\//\\}"
done
export WINEPATH="$windows_path"

exec "$wine" "$@"
