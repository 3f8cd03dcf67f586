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

# The prefix's user has a Firefox profile of their own, as a user of the machine may: the suites
# must find their own and leave this one alone.
for roaming in "$WINEPREFIX"/drive_c/users/*/AppData/Roaming; do
    [ "$roaming" != "$WINEPREFIX/drive_c/users/Public/AppData/Roaming" ] || continue
    own="$roaming/Mozilla/Firefox"
    if [ ! -f "$own/profiles.ini" ]; then
        mkdir -p "$own/own.default"
        printf '[Profile0]\nName=own\nIsRelative=1\nPath=own.default\nDefault=1\n' >"$own/profiles.ini"
        printf 'user_pref("browser.startup.homepage", "https://own.example/");\n' >"$own/own.default/prefs.js"
    fi
done

# Wine reads the search path in Windows spelling, where drive Z: is the Linux root.
windows_path=""
IFS=: read -r -a folders <<<"$dll_folders"
for folder in "${folders[@]}"; do
    windows_path+="${windows_path:+;}Z:${folder//\//\\}"
done
export WINEPATH="$windows_path"

exec "$wine" "$@"
