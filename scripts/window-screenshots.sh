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
root=$(cd "$(dirname "$0")/.." && pwd)
build=$(cd "${1:-$root/build}" && pwd)
output=$(mkdir -p "${2:-$root/docs/screenshots}" && cd "${2:-$root/docs/screenshots}" && pwd)
work=$(mktemp -d)
display=:96

# A screen just large enough that the picture, centred on it, lies over
# the main window (600 x 522 at the default options).
Xvfb $display -screen 0 940x700x24 >/dev/null 2>&1 &
xserver=$!
export DISPLAY=$display XDG_CONFIG_HOME="$work" XDG_DATA_HOME="$work" XDG_CACHE_HOME="$work"
sleep 1
cd "$work"
player=""
trap 'kill $player $xserver 2>/dev/null; rm -rf "$work"' EXIT

start() {
    "$build/velmo" "$1" >/dev/null 2>&1 &
    player=$!
    main=$(xdotool search --sync --name "$(basename "$1")" | head -1)
    sleep 1
}
# Without a window manager the focus is given by hand.
focus() { xdotool windowfocus --sync "$1"; sleep 0.3; }
# One window, or the main window with what lies over it.
shot() { sleep 0.4; import -window "$2" -strip "PNG8:$output/velmo-$1.png"; }
shotover() {
    sleep 0.4
    size=$(xdotool getwindowgeometry "$main" | sed -n 's/.*Geometry: //p')
    import -window root -crop "$size+0+0" -strip "PNG8:$output/velmo-$1.png"
}
keys() { xdotool key --delay 40 "$@"; sleep 0.3; }
line() { xdotool type --delay 15 "$1"; xdotool key Return; sleep 0.3; }
window() { xdotool search --sync --name "$1" | head -1; }

# The demo story shows its first picture at the start.
start "$root/stories/uhrmacher.velmo"
picture=$(window "Haus des Uhrmachers")
shotover picture-100
focus "$picture"
keys shift+F10 Down Down Return
keys shift+F10
shotover picture-50
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
