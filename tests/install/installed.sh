#!/usr/bin/env bash
# Checks of the program as installed into a prefix of its own, the way a user's system has it.
#   installed.sh install PREFIX BUILD_DIR   installs the build into PREFIX, afresh
#   installed.sh layout PREFIX               the files there are installed-files.txt, no more
#   installed.sh validate PREFIX             the menu entry and the AppStream entry pass their checkers
#   installed.sh command-line PREFIX VERSION --help, --version and refused arguments, no display
#   installed.sh page-at-close PREFIX        the program, ended with one item as a log-out ends it,
#                                            writes its page to the data folder
set -euo pipefail
check=$1
prefix=$2
fail() {
    echo "FAIL: $*" >&2
    exit 1
}
id=example.tavrel.ListManager

case $check in
install)
    rm -rf "$prefix"
    cmake --install "$3" --prefix "$prefix" >/dev/null
    ;;

layout)
    actual=$(cd "$prefix" && find . ! -type d | sed 's|^\./||' | LC_ALL=C sort)
    diff "$(dirname "$0")/installed-files.txt" <(echo "$actual") ||
        fail "the install holds other files than installed-files.txt"
    ;;

validate)
    desktop-file-validate "$prefix/share/applications/$id.desktop"
    appstreamcli validate --no-net "$prefix/share/metainfo/$id.metainfo.xml"
    ;;

command-line)
    version=$3
    out=$(mktemp)
    err=$(mktemp)
    trap 'rm -f "$out" "$err"' EXIT
    # expect STATUS STDOUT-HOLDS STDERR-HOLDS ARGUMENT...; an empty text means nothing at all.
    expect() {
        local status=$1 stdout=$2 stderr=$3
        shift 3
        local got=0
        env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM timeout 20 \
            "$prefix/bin/tavrel" "$@" >"$out" 2>"$err" </dev/null || got=$?
        [ "$got" -eq "$status" ] || fail "tavrel $*: exit status $got, not $status: $(cat "$err")"
        if [ -z "$stdout" ]; then
            [ ! -s "$out" ] || fail "tavrel $*: printed $(cat "$out")"
        else
            grep -qF -- "$stdout" "$out" || fail "tavrel $*: no '$stdout' in $(cat "$out")"
        fi
        if [ -z "$stderr" ]; then
            [ ! -s "$err" ] || fail "tavrel $*: complained $(cat "$err")"
        else
            grep -qF -- "$stderr" "$err" || fail "tavrel $*: no '$stderr' in $(cat "$err")"
            [ "$(wc -l <"$err")" -eq 1 ] || fail "tavrel $*: more than one line: $(cat "$err")"
        fi
    }
    expect 0 "Tavrel List Manager $version" "" --version
    expect 0 "Tavrel List Manager $version" "" -v
    expect 0 "Usage: tavrel [options]" "" --help
    expect 2 "" "'bogus'" --bogus
    expect 2 "" "'stray'" stray
    expect 2 "" "'--version'" --version=2
    ;;

page-at-close)
    prefix=$(realpath "$prefix") # as the program finds itself
    home=$(mktemp -d)
    trap 'rm -rf "$home"' EXIT
    store="$home/config/Tavrel/Tavrel.conf"
    mkdir -p "$(dirname "$store")"
    cat >"$store" <<'STORE'
[Main]
RunBefore=Yes
NumEntries=1
[%201]
Name=Check train times
Description=Fares to the coast
URL=
Priority=3
STORE
    env HOME="$home" XDG_CONFIG_HOME="$home/config" XDG_DATA_HOME="$home/data" \
        QT_QPA_PLATFORM=offscreen "$prefix/bin/tavrel" &
    program=$!
    # Its lock beside the store names it once it is up and listening for the signal.
    for _ in $(seq 200); do
        [ "$(head -n 1 "$store.running" 2>/dev/null)" = "$program" ] && break
        sleep 0.1
    done
    kill -TERM "$program"
    status=0
    wait "$program" || status=$?
    [ "$status" -eq 0 ] || fail "the program ended with status $status"
    page="$home/data/Tavrel/To-Do.htm"
    [ -f "$page" ] || fail "no page at $page"
    grep -qF "<img src=\"$prefix/share/tavrel/high.gif\"" "$page" ||
        fail "the page shows no installed picture: $(grep img "$page")"
    grep -qF 'Check train times' "$page" || fail "the page lacks the item"
    grep -qF 'Name=Check train times' "$store" || fail "the list was not saved"
    [ ! -e "$prefix/bin/To-Do.htm" ] || fail "a page beside the installed program"
    ;;

*)
    fail "no check called $check"
    ;;
esac
