#!/bin/sh
# The include check must pass on a tree whose includes run downward and
# fail, naming file and line, on an upward include, on an include between
# two folders of one level, and on Qt outside app/.
# Usage: planted.sh CHECK_SCRIPT WORK_DIR
set -eu
check=$1
work=$2
rm -rf "$work" && mkdir -p "$work"
cd "$work"
mkdir -p base model story game frontend app

printf '#include <string>\n' > base/text.h
printf '#include "base/text.h"\n#include "model/node.h"\n' > model/node.h
printf '#include "model/node.h"\n#include "base/text.h"\n' > story/loader.h
printf '#include <QWidget>\n#include "frontend/game.h"\n' > app/window.h
printf '#include "story/loader.h"\n' > frontend/game.h
"$check" "$work" || { echo "a downward tree was refused"; exit 1; }

expect_failure() {  # FILE LINE TEXT: plant TEXT as a new last line of FILE
    cp "$1" "$1.orig"
    printf '%s\n' "$3" >> "$1"
    if out=$("$check" "$work"); then
        echo "not refused: $3 in $1"; exit 1
    fi
    case "$out" in
        "$1:$2:"*) ;;
        *) echo "wrong report for $3 in $1: $out"; exit 1 ;;
    esac
    mv "$1.orig" "$1"
}
expect_failure base/text.h 2 '#include "model/node.h"'
expect_failure story/loader.h 3 '#include "game/parser.h"'
expect_failure model/node.h 3 '#include <QString>'
mkdir -p bench
printf '#include "app/window.h"\n' > bench/window.cpp
"$check" "$work" || { echo "a benchmark using the window's folder was refused"; exit 1; }
expect_failure bench/window.cpp 2 '#include <QApplication>'
echo "include check: ok"
