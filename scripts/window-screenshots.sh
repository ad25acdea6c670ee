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

# One window, or all the player's windows on the screen (the main window,
# the picture beside it, an open context menu).
shot() { sleep 0.4; import -window "$2" -strip "PNG8:$output/velmo-$1.png"; }
shotall() {
    sleep 0.4
    left=100000 top=100000 right=0 bottom=0
    for id in $(xdotool search --onlyvisible --class velmo); do
        eval "$(xdotool getwindowgeometry --shell "$id")"
        [ "$X" -lt "$left" ] && left=$X
        [ "$Y" -lt "$top" ] && top=$Y
        [ $((X + WIDTH)) -gt "$right" ] && right=$((X + WIDTH))
        [ $((Y + HEIGHT)) -gt "$bottom" ] && bottom=$((Y + HEIGHT))
    done
    import -window root -crop "$((right - left))x$((bottom - top))+$left+$top" -strip \
        "PNG8:$output/velmo-$1.png"
}

# The demo story shows its first picture at the start.
start "$root/stories/uhrmacher.velmo"
picture=$(window "Haus des Uhrmachers")
shotall picture-100
focus "$picture"
keys shift+F10 Down Down Return
keys shift+F10
shotall picture-50
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
