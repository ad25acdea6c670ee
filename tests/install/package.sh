#!/bin/sh
# Builds the Debian package of the build folder and checks what it holds:
# the programs and their data under /usr, the dependencies on the Qt and
# JPEG runtime packages, and no maintainer scripts or configuration files
# that removing it could leave behind.
#
# Usage: package.sh BUILD_DIR WORK_DIR
set -eu
build=$1
work=$2

fail() {
    echo "package check: $*" >&2
    exit 1
}

rm -rf "$work"
mkdir -p "$work"
cpack -G DEB --config "$build/CPackConfig.cmake" -B "$work" >"$work/cpack.log" 2>&1 ||
    fail "cpack failed: $(tail -20 "$work/cpack.log")"
deb=$(ls "$work"/velmo_*.deb 2>/dev/null | head -1)
[ -n "$deb" ] || fail "no velmo_*.deb in $work"

dpkg-deb --info "$deb" >"$work/info"
depends=$(sed -n 's/^ Depends: //p' "$work/info")
for package in libqt6core6 libqt6gui6 libqt6widgets6 libqt6printsupport6 qt6-qpa-plugins \
    libjpeg62-turbo libstdc++6 libc6; do
    echo "$depends" | grep -q "\\b$package\\b" || fail "Depends lacks $package: $depends"
done
grep -q '^ Package: velmo$' "$work/info" || fail "the package is not called velmo"
for script in preinst postinst prerm postrm conffiles; do
    if grep -q "^ *[0-9]* bytes, *[0-9]* lines *\\*\\? *$script\\b" "$work/info"; then
        fail "the package carries $script"
    fi
done

dpkg-deb --contents "$deb" | awk '{print $6}' >"$work/contents"
for file in ./usr/bin/velmo ./usr/bin/velmo-term \
    ./usr/share/velmo/help/index.html ./usr/share/velmo/stories/uhrmacher.velmo \
    ./usr/share/velmo/stories/bibliothek/bibliothek.velmo \
    ./usr/share/velmo/editors/velmo.xml ./usr/share/applications/org.velmo.Velmo.desktop \
    ./usr/share/metainfo/org.velmo.Velmo.metainfo.xml ./usr/share/mime/packages/velmo.xml \
    ./usr/share/icons/hicolor/scalable/apps/org.velmo.Velmo.svg \
    ./usr/share/man/man6/velmo.6 ./usr/share/man/man6/velmo-term.6; do
    grep -qx "$file" "$work/contents" || fail "$file is not in the package"
done
outside=$(grep -v '^\./usr/' "$work/contents" | grep -vx '\./' || true)
[ -z "$outside" ] || fail "files outside /usr: $outside"
echo "package check: ok ($(basename "$deb"))"
