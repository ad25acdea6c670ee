#!/bin/sh
# Takes the screenshots of the desktop player's other windows for
# docs/screenshots/ under a virtual X server, with key strokes only: the
# picture window at 100 % and at 50 % (its context menu open), the
# transcript "Spielverlauf", the dialog "Darstellung", the help viewer and
# the inspector.
#
# Usage: scripts/window-screenshots.sh [BUILD] [OUTPUT]
#   BUILD   the build folder holding velmo (default: build)
#   OUTPUT  where the PNG files go (default: docs/screenshots)
# Needs xvfb, xdotool and imagemagick (scripts/install-deps.sh xvfb xdotool
# imagemagick). The options, saved games and the picture file go to a
# temporary folder.
set -eu
display=:96
# A small screen: the picture finds room beside the main window (600 x 522
# at the default options), which the screenshot shows with it.
screen=940x700
. "$(dirname "$0")/xvfb-session.sh"

# One window, or the main window with what stands beside it.
shot() { sleep 0.4; import -window "$2" -strip "PNG8:$output/velmo-$1.png"; }
shotbeside() {
    sleep 0.4
    eval "$(xdotool getwindowgeometry --shell "$main" | sed 's/^/main_/')"
    eval "$(xdotool getwindowgeometry --shell "$2" | sed 's/^/other_/')"
    left=$((main_X < other_X ? main_X : other_X))
    top=$((main_Y < other_Y ? main_Y : other_Y))
    right=$((main_X + main_WIDTH > other_X + other_WIDTH ? main_X + main_WIDTH : other_X + other_WIDTH))
    bottom=$((main_Y + main_HEIGHT > other_Y + other_HEIGHT ? main_Y + main_HEIGHT : other_Y + other_HEIGHT))
    import -window root -crop "$((right - left))x$((bottom - top))+$left+$top" -strip \
        "PNG8:$output/velmo-$1.png"
}

# The demo story shows its first picture at the start.
start "$root/stories/uhrmacher.velmo"
picture=$(window "Haus des Uhrmachers")
shotbeside picture-100 "$picture"
focus "$picture"
keys shift+F10 Down Down Return
keys shift+F10
shotbeside picture-50 "$picture"
keys Escape Escape

focus "$main"
line "schau"
line "untersuche den briefkasten"
keys alt+o s
shot transcript "$(window Spielverlauf)"
keys Escape
focus "$main"
keys alt+o d
shot display "$(window Darstellung)"
keys Escape
focus "$main"
keys F1
shot help "$(window Hilfe)"
kill $player
wait $player 2>/dev/null || true

# The inspector: the window tests' story stops in "pruefe".
start "$root/app/tests/stories/fenster.velmo"
focus "$main"
line "pruefe"
inspector=$(window Inspect)
focus "$inspector"
xdotool type --delay 15 "n * 2 + 1"
keys Return
shot inspector "$inspector"
echo "Bildschirmfotos in $output"
