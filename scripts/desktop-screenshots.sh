#!/bin/sh
# Plays the demo story's winning walkthrough in the desktop player under a
# virtual X server, with key strokes only, and takes the screenshots of
# docs/screenshots/: the start, a box, a topic menu and the winning end.
#
# Usage: scripts/desktop-screenshots.sh [BUILD] [OUTPUT]
#   BUILD   the build folder holding velmo (default: build)
#   OUTPUT  where the PNG files go (default: docs/screenshots)
# Needs xvfb, xdotool and imagemagick (scripts/install-deps.sh xvfb xdotool
# imagemagick). The game runs in a temporary folder, where the saved game
# of the walkthrough goes.
set -eu
root=$(cd "$(dirname "$0")/.." && pwd)
build=$(cd "${1:-$root/build}" && pwd)
output=$(mkdir -p "${2:-$root/docs/screenshots}" && cd "${2:-$root/docs/screenshots}" && pwd)
work=$(mktemp -d)
display=:97

# A screen large enough that the story's pictures, centred on it, stay
# clear of the main window.
Xvfb $display -screen 0 1600x1200x24 >/dev/null 2>&1 &
xserver=$!
export DISPLAY=$display
sleep 1
cd "$work"
"$build/velmo" "$root/stories/uhrmacher.velmo" >/dev/null 2>&1 &
player=$!
trap 'kill $player $xserver 2>/dev/null; rm -rf "$work"' EXIT
sleep 2
window=$(xdotool search --sync --name uhrmacher.velmo | head -1)
# Without a window manager the focus is given by hand (also after each
# file dialog, which takes it).
focus() { xdotool windowfocus --sync "$window"; sleep 0.2; }
shot() { sleep 0.3; import -window "$window" -strip "PNG8:$output/velmo-$1.png"; }
keys() { xdotool key --delay 30 "$@"; sleep 0.2; }
line() { xdotool type --delay 15 "$1"; xdotool key Return; sleep 0.3; }

focus
shot start
previous=""
while IFS= read -r input; do
    case "$previous|$input" in
    *"|uhrmacher-test"*) sleep 0.7; line "$input"; sleep 0.5; focus ;;  # a file dialog
    "lies das foto|") shot box; keys space ;;                             # the box
    "hilfe|6") keys Down Down Down Down Down; shot menu; keys Return ;;   # a topic
    "6|") keys space ;;                                                   # after the topic
    *"|0") keys Escape ;;                                                 # leave the menu
    *"|3") shot end; keys 3 ;;                                            # the end question
    *) line "$input" ;;
    esac
    previous=$input
done <"$root/tests/walkthrough/uhrmacher.in"
echo "Bildschirmfotos in $output"
