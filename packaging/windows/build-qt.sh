#!/usr/bin/env bash
# Builds Qt's qtbase for 64-bit Windows, once, into a cache folder outside the clone, and prints
# that folder. The folder's name is a key of the Qt version, the configure options and the
# compiler's version, so a change to any of them builds anew beside the old one.
#   build-qt.sh [--if-built]
#
# The source is Debian's own qt6-base, of the same version as the host Qt whose tools the cross
# build runs. Where apt has no source entry yet, one is derived from the machine's own Debian
# entries, with the same archives.
set -euo pipefail
# Only the folder goes to standard output; the build's own words go to standard error.
exec 3>&1 1>&2
here="$(cd "$(dirname "$0")" && pwd)"
cache_root="${TAVREL_WINDOWS_QT_CACHE:-${XDG_CACHE_HOME:-$HOME/.cache}/tavrel-windows-qt}"

options=(-xplatform win32-g++ -qt-host-path /usr -release -shared
         -nomake examples -nomake tests
         -no-opengl -no-dbus -no-icu -no-openssl
         -no-feature-sql -no-feature-printsupport -no-feature-concurrent -no-feature-xml
         -no-feature-vulkan -no-feature-tabletevent
         -qt-zlib -qt-pcre -qt-libpng -no-libjpeg -qt-harfbuzz -no-freetype)

# The host Qt's CMake packages are where it keeps its libraries (Debian: the multiarch folder),
# where Qt does not look by itself; asked of the host Qt, as the program's own build does.
host_cmake_dir="$(/usr/bin/qtpaths6 --query QT_INSTALL_LIBS)/cmake"
cmake_args=(-G Ninja -DCMAKE_TOOLCHAIN_FILE="$here/toolchain-mingw64.cmake"
            -DQT_HOST_PATH_CMAKE_DIR="$host_cmake_dir")

qt_version="$(dpkg-query -W -f='${Version}' qt6-base-dev)"
compiler_version="$(dpkg-query -W -f='${Version}' g++-mingw-w64-x86-64-posix)"
# What keeps this machine out of the libraries (see below) is part of the key too.
reproducible="-ffile-prefix-map=<work>=. SOURCE_DATE_EPOCH=<debian/changelog>"
key_text="qt6-base ${qt_version}
${options[*]} -- ${cmake_args[*]//$here/packaging\/windows} ${reproducible}
g++-mingw-w64-x86-64-posix ${compiler_version}
$(cat "$here/toolchain-mingw64.cmake")"
key_hash="$(printf '%s' "$key_text" | sha256sum | cut -c1-12)"
prefix="$cache_root/qt-${qt_version%%+*}-$key_hash"

# The key file is written last, so a folder without it is a build that did not finish.
if [ -f "$prefix/tavrel-cache-key.txt" ]; then
    echo "$prefix" >&3
    exit 0
fi
# "--if-built" only tells where a finished build is, and fails at once when there is none.
[ "${1:-}" != --if-built ] || exit 1

as_root=()
[ "$(id -u)" -eq 0 ] || as_root=(sudo)

# A deb-src twin of every Debian deb entry, each in the format it was found in.
add_source_entries() {
    local ours=/etc/apt/sources.list.d/tavrel-deb-src
    local stanzas="" lines=""
    for f in /etc/apt/sources.list.d/*.sources; do
        [ -f "$f" ] && [ "$f" != "$ours.sources" ] || continue
        grep -q 'debian-archive-keyring' "$f" || continue
        stanzas+="$(sed -e 's/^Types:.*/Types: deb-src/' "$f")"$'\n\n'
    done
    if [ -f /etc/apt/sources.list ]; then
        lines="$(sed -n 's/^deb \(.*debian.*\)/deb-src \1/p' /etc/apt/sources.list)"
    fi
    [ -n "$stanzas$lines" ] || { echo "build-qt: no Debian entry in apt's sources to derive a deb-src entry from" >&2; exit 1; }
    if [ -n "$stanzas" ]; then
        printf '%s' "$stanzas" | "${as_root[@]}" tee "$ours.sources" >/dev/null
    fi
    if [ -n "$lines" ]; then
        printf '%s\n' "$lines" | "${as_root[@]}" tee "$ours.list" >/dev/null
    fi
    "${as_root[@]}" apt-get update
}

if ! apt-cache showsrc qt6-base 2>/dev/null | grep -q '^Version:'; then
    add_source_entries
fi

work="$cache_root/work-$key_hash"
rm -rf "$work" "$prefix"
mkdir -p "$work/build"
(cd "$work" && apt-get source --only-source "qt6-base=$qt_version")
source_dir="$(find "$work" -maxdepth 1 -type d -name 'qt6-base-*' | head -n1)"

# The same libraries from the same source on any machine: the compiler writes the work folder,
# which holds the cache's path, as "."; and the one time that reaches them (the linker's and
# strip's headers, the resources rcc embeds) is the source package's own, its changelog's last
# entry, as Debian's own builds take it.
SOURCE_DATE_EPOCH="$(dpkg-parsechangelog -l "$source_dir/debian/changelog" -STimestamp)"
export SOURCE_DATE_EPOCH
cmake_args+=(-DCMAKE_C_FLAGS="-ffile-prefix-map=$work=." -DCMAKE_CXX_FLAGS="-ffile-prefix-map=$work=.")

cd "$work/build"
"$source_dir/configure" -prefix "$prefix" "${options[@]}" -- "${cmake_args[@]}"
cmake --build . --parallel "${TAVREL_JOBS:-2}"
cmake --install . --strip
printf '%s\n' "$key_text" > "$prefix/tavrel-cache-key.txt"
cd / && rm -rf "$work"
echo "$prefix" >&3
