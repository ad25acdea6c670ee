#!/bin/sh
# Installs the build into a temporary prefix and checks the installation
# as a player and an author meet it: every file in its place, the prefix
# moved elsewhere still working (the programs find their data from their
# own location), the demo story's winning walkthrough played from another
# folder, the author's check of a story that includes the installed
# library, and the desktop entry, AppStream metadata, file types and
# manual pages valid under their own tools.
#
# Usage: check.sh BUILD_DIR SOURCE_DIR WORK_DIR
set -eu
build=$1
source=$2
work=$3

fail() {
    echo "install check: $*" >&2
    exit 1
}

rm -rf "$work"
mkdir -p "$work/elsewhere/teile"
cmake --install "$build" --prefix "$work/prefix" >/dev/null

for file in bin/velmo bin/velmo-term \
    share/velmo/help/index.html \
    share/velmo/stories/uhrmacher.velmo share/velmo/stories/uhrmacher.txt \
    share/velmo/stories/uhrmacher.fg share/velmo/stories/bibliothek/bibliothek.velmo \
    share/velmo/editors/velmo.xml share/velmo/editors/velmo.tmLanguage.json \
    share/applications/org.velmo.Velmo.desktop \
    share/metainfo/org.velmo.Velmo.metainfo.xml \
    share/mime/packages/velmo.xml \
    share/icons/hicolor/scalable/apps/org.velmo.Velmo.svg \
    share/icons/hicolor/48x48/apps/org.velmo.Velmo.png \
    share/icons/hicolor/256x256/apps/org.velmo.Velmo.png \
    share/man/man6/velmo.6 share/man/man6/velmo-term.6; do
    [ -e "$work/prefix/$file" ] || fail "$file is not installed"
done

# A relocated prefix: nothing may point back to where it was installed.
mv "$work/prefix" "$work/moved"
prefix="$work/moved"
share="$prefix/share"
term="$prefix/bin/velmo-term"
export HOME="$work/home" XDG_CONFIG_HOME="$work/home/config" \
    XDG_DATA_HOME="$work/home/data" XDG_CACHE_HOME="$work/home/cache"
cd "$work/elsewhere"

# The installed demo story plays the winning walkthrough as in the build.
"$term" --plain --seed 1 --status "$share/velmo/stories/uhrmacher.velmo" \
    <"$source/tests/walkthrough/uhrmacher.in" >walkthrough.out ||
    fail "the installed demo story does not play"
cmp -s walkthrough.out "$source/tests/walkthrough/uhrmacher.out" ||
    fail "the installed demo story plays differently: see $work/elsewhere/walkthrough.out"

# An author's story includes the installed library, found from the program.
cat >eigene.velmo <<'STORY'
#include "bibliothek/bibliothek.velmo"
#include "teile/raum.velmo"
class spieler : Spieler { moveto(kueche); }
void main() { setPlayer(spieler); beschreibeRaum(); }
STORY
printf 'class kueche : Raum {\n  setShort("-K\303\274che");\n}\n' >teile/raum.velmo
report=$("$term" --check eigene.velmo) || fail "--check refuses a good story: $report"
[ -z "$report" ] || fail "--check prints on success: $report"

# An error in an included file: that file as named from here, its line.
printf 'class kueche : Raum {\n  setShort("-K\303\274che");\n  int a$;\n}\n' >teile/raum.velmo
if report=$("$term" --check eigene.velmo); then fail "--check passes a broken story"; fi
[ "$report" = "teile/raum.velmo:3: Ung$(printf '\303\274')ltiges Zeichen \$" ] ||
    fail "--check reports: $report"

desktop-file-validate "$share/applications/org.velmo.Velmo.desktop" ||
    fail "the desktop entry is not valid"
appstreamcli validate --no-net "$share/metainfo/org.velmo.Velmo.metainfo.xml" >appstream.log 2>&1 ||
    fail "the AppStream metadata is not valid: $(cat appstream.log)"
xmllint --noout "$share/mime/packages/velmo.xml" || fail "the file types are not well-formed"
for page in velmo velmo-term; do
    warnings=$(LC_ALL=C.UTF-8 MANWIDTH=80 man --warnings -l "$share/man/man6/$page.6" 2>&1 >/dev/null)
    [ -z "$warnings" ] || fail "man $page: $warnings"
    LC_ALL=C.UTF-8 MANWIDTH=80 man -l "$share/man/man6/$page.6" | grep -q "BESCHREIBUNG" ||
        fail "man $page renders no description"
done
echo "install check: ok"
