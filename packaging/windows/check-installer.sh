#!/usr/bin/env bash
# Checks the Windows installer under Wine as a user would meet it, in the build's Wine prefix and
# a display of its own: a silent install, the program's answer to --version, two runs on a
# one-item list each ended by taskkill's close request, the page in the user's local data folder
# and nothing written beside the program, then a silent uninstall that leaves the list and the
# page.
#   check-installer.sh BUILD_FOLDER
set -euo pipefail
build=$(realpath "$1")
here=$(dirname "$(realpath "$0")")
prefix="$build/wine-prefix"
fail() {
    echo "FAIL: $*" >&2
    exit 1
}
win() { "$here/wine-run.sh" "$prefix" "" "$@"; }
wait_for_wine() { WINEPREFIX="$prefix" /usr/lib/wine/wineserver --wait; }
# A Windows path of the prefix as a Linux one.
linux_path() { win winepath.exe -u "$1" | tr -d '\r'; }
# A folder the prefix's Windows names, as a Linux path.
folder_of() { linux_path "$(win cmd.exe /c echo "%$1%" | tr -d '\r')"; }

installer=$(find "$build" -maxdepth 1 -name 'tavrel-*-win64.exe' | head -n1)
[ -n "$installer" ] || fail "no installer in $build"

win cmd.exe /c exit # makes the prefix on first use
appdata=$(folder_of APPDATA)
localappdata=$(folder_of LOCALAPPDATA)
programfiles=$(folder_of ProgramW6432)
install_dir="$programfiles/Tavrel List Manager"
store="$appdata/Tavrel/Tavrel.ini"
page="$localappdata/Tavrel/To-Do.htm"
rm -rf "$appdata/Tavrel" "$localappdata/Tavrel" "$install_dir"

win "$installer" /S
wait_for_wine
[ -f "$install_dir/tavrel.exe" ] || fail "nothing installed in $install_dir"
for file in Qt6Core.dll Qt6Widgets.dll platforms/qwindows.dll styles/qwindowsvistastyle.dll \
    libstdc++-6.dll share/tavrel/high.gif Uninstall.exe; do
    [ -f "$install_dir/$file" ] || fail "the install lacks $file"
done
find "$(folder_of ProgramData)/Microsoft/Windows/Start Menu" -name 'Tavrel List Manager.lnk' |
    grep -q . || fail "no Start-menu entry"

version=$(win "C:\\Program Files\\Tavrel List Manager\\tavrel.exe" --version | tr -d '\r')
[ "$version" = "Tavrel List Manager 1.0" ] || fail "--version answered '$version'"

mkdir -p "$(dirname "$store")"
printf '%s\r\n' '[Main]' 'RunBefore=Yes' 'NumEntries=1' '[%201]' 'Name=Check train times' \
    'Description=Fares to the coast' 'URL=' 'Priority=3' >"$store"
touch "$build/installer-check.start"

run_and_close() {
    win "C:\\Program Files\\Tavrel List Manager\\tavrel.exe" &
    local program=$! pid=""
    # Its lock beside the store names it once it is up.
    for _ in $(seq 300); do
        pid=$(head -n 1 "$store.running" 2>/dev/null | tr -d '\r') || true
        [ -n "$pid" ] && break
        sleep 0.1
    done
    [ -n "$pid" ] || fail "the installed program did not start"
    sleep 1
    win taskkill.exe /pid "$pid" >/dev/null
    local status=0
    wait "$program" || status=$?
    [ "$status" -eq 0 ] || fail "the program ended with status $status"
    grep -qF 'Name=Check train times' "$store" || fail "the list was not saved"
    [ ! -e "$store.running" ] || fail "the lock stayed"
}
run_and_close
run_and_close # the second close replaces a store of its own

[ -f "$page" ] || fail "no page at $page"
grep -qF 'Check train times' "$page" || fail "the page lacks the item"
grep -qF '<img src="C:\Program Files\Tavrel List Manager\share\tavrel\high.gif"' "$page" ||
    fail "the page shows no installed picture: $(grep img "$page")"
written=$(find "$install_dir" -newer "$build/installer-check.start" -print)
[ -z "$written" ] || fail "written under Program Files: $written"

win "C:\\Program Files\\Tavrel List Manager\\Uninstall.exe" /S
wait_for_wine
[ ! -e "$install_dir/tavrel.exe" ] || fail "the uninstaller left the program"
[ -f "$store" ] && [ -f "$page" ] || fail "the uninstaller took the list or the page"
echo "installer check passed: $(basename "$installer")"
