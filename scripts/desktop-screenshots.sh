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
display=:97
# A screen large enough that the story's pictures stand beside the main
# window.
screen=1600x1200
. "$(dirname "$0")/xvfb-session.sh"

shot() { sleep 0.3; import -window "$main" -strip "PNG8:$output/velmo-$1.png"; }

start "$root/stories/uhrmacher.velmo"
focus "$main"
shot start
previous=""
while IFS= read -r input; do
    case "$previous|$input" in
    *"|uhrmacher-test"*) sleep 0.7; line "$input"; sleep 0.5; focus "$main" ;;  # a file dialog
    "lies das foto|") shot box; keys space ;;                                   # the box
    "hilfe|6") keys Down Down Down Down Down; shot menu; keys Return ;;         # a topic
    "6|") keys space ;;                                                         # after the topic
    *"|0") keys Escape ;;                                                       # leave the menu
    *"|3") shot end; keys 3 ;;                                                  # the end question
    *) line "$input" ;;
    esac
    previous=$input
done <"$root/tests/walkthrough/uhrmacher.in"
echo "Bildschirmfotos in $output"
