#!/usr/bin/env bash
# Makes the Debian package from a build and looks inside it:
#   package.sh BUILD_DIR OUT_DIR VERSION
set -euo pipefail
build=$1
out=$2
version=$3
fail() {
    echo "FAIL: $*" >&2
    exit 1
}

rm -rf "$out"
cpack --config "$build/CPackConfig.cmake" -B "$out" >/dev/null
deb="$out/tavrel_${version}_$(dpkg --print-architecture).deb"
[ -f "$deb" ] || fail "no $deb"

# The files of an install, under /usr.
contents=$(dpkg-deb -c "$deb" | awk '{ print $NF }' | grep -v '/$' | sed 's|^\./usr/||' | LC_ALL=C sort)
diff "$(dirname "$0")/installed-files.txt" <(echo "$contents") ||
    fail "the package holds other files than installed-files.txt"

depends=$(dpkg-deb -f "$deb" Depends)
for library in libqt6core6 libqt6gui6 libqt6widgets6; do
    grep -qw "$library" <<<"$depends" || fail "Depends lacks $library: $depends"
done

lintian --fail-on error --display-info "$deb"
