#!/bin/sh
# Checks that every include between the program's folders runs downward
# and that only the desktop player includes Qt (tests, fuzz targets and
# benchmarks included).
#
# The folders, lowest first; a folder may include its own files and those
# of any folder on a lower line, never one on its own line or above:
#
#   base
#   model
#   script
#   story game
#   frontend
#   term app
#
# Usage: scripts/check-includes.sh [ROOT]   (default: the repository)
# Prints one line per offending include as FILE:LINE: reason, and exits
# with 1 when there is any.
set -eu
root=${1:-$(dirname "$0")/..}
cd "$root"

find base model script story game frontend term app tests fuzz bench -name '*.h' -o -name '*.cpp' 2>/dev/null |
LC_ALL=C sort |
xargs awk '
function rank(folder) {
    if (folder == "base") return 0
    if (folder == "model") return 1
    if (folder == "script") return 2
    if (folder == "story" || folder == "game") return 3
    if (folder == "frontend") return 4
    if (folder == "term" || folder == "app") return 5
    return -1
}
FNR == 1 { split(FILENAME, parts, "/"); own = parts[1] }
/^[ \t]*#[ \t]*include[ \t]*"/ {
    target = $0
    sub(/^[^"]*"/, "", target); sub(/".*$/, "", target)
    n = split(target, tparts, "/")
    # tests/, fuzz/ and bench/ may use every folder; only Qt is kept out.
    if (n < 2 || rank(own) < 0 || rank(tparts[1]) < 0 || tparts[1] == own) next
    if (rank(tparts[1]) >= rank(own)) {
        printf "%s:%d: %s/ must not include %s (only lower folders)\n", FILENAME, FNR, own, target
        bad = 1
    }
}
/^[ \t]*#[ \t]*include[ \t]*<Q/ && own != "app" {
    printf "%s:%d: Qt belongs in app/ only\n", FILENAME, FNR
    bad = 1
}
END { exit bad }
'
