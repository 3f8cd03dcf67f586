#!/usr/bin/env bash
# Builds the packages twice from the commit checked out here, and checks that both builds are
# the same, byte for byte. The two builds differ in everything that must not reach a package:
# the clone's path, the time (the second starts later), the umask, the time zone and the
# locale. When a package differs, it names the files inside that differ.
#   check-reproducible.sh [deb|windows]...
# With no argument it checks the Debian package, and the Windows ZIP and installer when Qt for
# Windows is already built (packaging/windows/build-qt.sh, which this never starts). Needs the
# tools packaging/setup-debian.sh and packaging/windows/setup-tools.sh install. The builds go to
# a scratch folder, kept when a check fails; TAVREL_JOBS sets the jobs per build (2).
set -euo pipefail
repo="$(cd "$(dirname "$0")/.." && pwd)"
jobs="${TAVREL_JOBS:-2}"

kinds=("$@")
if ((${#kinds[@]} == 0)); then
    kinds=(deb)
    if bash "$repo/packaging/windows/build-qt.sh" --if-built >/dev/null 2>&1; then
        kinds+=(windows)
    else
        echo "check-reproducible: Qt for Windows is not built; checking the Debian package only"
    fi
fi
for kind in "${kinds[@]}"; do
    case "$kind" in
    deb) ;;
    windows)
        TAVREL_WINDOWS_QT="$(bash "$repo/packaging/windows/build-qt.sh" --if-built)" || {
            echo "check-reproducible: Qt for Windows is not built; run packaging/windows/build-qt.sh" >&2
            exit 1
        }
        export TAVREL_WINDOWS_QT
        ;;
    *)
        echo "usage: check-reproducible.sh [deb|windows]..." >&2
        exit 2
        ;;
    esac
done

commit="$(git -C "$repo" rev-parse HEAD)"
work="$(mktemp -d "${TMPDIR:-/tmp}/tavrel-reproducible.XXXXXX")"

# build NAME PATH UMASK TZ LOCALE: a clone of the commit at PATH, its packages in $work/NAME.
build() {
    local name="$1" clone="$2" mask="$3" zone="$4" locale="$5"
    local out="$work/$name" log="$work/$name.log"
    mkdir -p "$out"
    echo "check-reproducible: build $name in $clone (umask $mask, TZ $zone, LC_ALL $locale)"
    (
        umask "$mask"
        export TZ="$zone" LC_ALL="$locale"
        unset SOURCE_DATE_EPOCH
        git clone --quiet --no-checkout "$repo" "$clone"
        git -C "$clone" checkout --quiet --detach "$commit"
        cd "$clone"
        for kind in "${kinds[@]}"; do
            case "$kind" in
            deb)
                cmake --preset package
                cmake --build --preset package --parallel "$jobs"
                cpack --preset package
                cp build-package/*.deb "$out/"
                ;;
            windows)
                # The suites are not part of a package.
                cmake --preset windows -DBUILD_TESTING=OFF
                cmake --build --preset windows --parallel "$jobs"
                cpack --preset windows
                cp build-windows/*.zip build-windows/*.exe "$out/"
                ;;
            esac
        done
    ) >"$log" 2>&1 || {
        tail -n 30 "$log" >&2
        echo "check-reproducible: build $name failed; its log is $log" >&2
        exit 1
    }
}

# The files inside two packages that differ, and how: the listings with modes, owners and times,
# then each file's bytes.
unpack() {
    local package="$1" into="$2"
    mkdir -p "$into"
    case "$package" in
    *.deb)
        (cd "$into" && ar x "$package")
        mkdir "$into/control" "$into/data"
        tar -xf "$into"/control.tar.* -C "$into/control"
        tar -xf "$into"/data.tar.* -C "$into/data"
        ;;
    *.zip) unzip -q "$package" -d "$into" ;;
    esac
}
listing() {
    case "$1" in
    *.deb) dpkg-deb -c "$1" && dpkg-deb --ctrl-tarfile "$1" | tar -tvf - && ar tv "$1" ;;
    *.zip) unzip -Z "$1" | sed 1d ;;
    esac
}
tell_difference() {
    local first="$1" second="$2" name
    name="$(basename "$first")"
    echo "DIFFERS: $name"
    case "$name" in
    *.deb | *.zip)
        diff <(listing "$first") <(listing "$second") | sed 's/^/    listing: /' || true
        local a="$work/unpacked/first/$name" b="$work/unpacked/second/$name"
        unpack "$first" "$a"
        unpack "$second" "$b"
        (cd "$a" && find . -type f | LC_ALL=C sort) | while read -r file; do
            cmp -s "$a/$file" "$b/$file" || echo "    content: ${file#./}"
        done
        ;;
    *) cmp "$first" "$second" | sed 's/^/    /' || true ;;
    esac
    if command -v diffoscope >/dev/null; then
        diffoscope --text "$work/$name.diffoscope.txt" "$first" "$second" >/dev/null || true
        echo "    diffoscope: $work/$name.diffoscope.txt"
    fi
}

start=$SECONDS
build first "$work/a/tavrel" 022 UTC C.UTF-8
# Whole seconds apart at least, however quick the first build was.
sleep 2
build second "$work/second-clone/elsewhere/tavrel-again" 077 Pacific/Auckland C

status=0
count=0
for first in "$work"/first/*; do
    second="$work/second/$(basename "$first")"
    count=$((count + 1))
    if [ ! -f "$second" ]; then
        echo "MISSING in the second build: $(basename "$first")"
        status=1
    elif cmp -s "$first" "$second"; then
        echo "same: $(basename "$first") sha256 $(sha256sum <"$first" | cut -d" " -f1)"
    else
        tell_difference "$first" "$second"
        status=1
    fi
done
echo "check-reproducible: $count packages compared in $((SECONDS - start)) s"
if ((status)); then
    echo "check-reproducible: the builds stay in $work" >&2
    exit 1
fi
rm -rf "$work"
