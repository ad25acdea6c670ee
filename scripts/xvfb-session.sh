# The setup both screenshot scripts share; sourced by them, never run on
# its own. The caller sets `display` (":96") and `screen` ("940x700") and
# passes its arguments on: [BUILD] [OUTPUT], the build folder holding
# velmo (default: build) and where the PNG files go (default:
# docs/screenshots).
#
# It sets `root`, `build`, `output` and `work` (a temporary folder that
# holds the options, saved games and the picture file, never the user's
# own), starts a virtual X server of that size and changes into `work`.
# At the end the player in `player` and the X server are ended and `work`
# removed. Needs xvfb, xdotool and imagemagick (scripts/install-deps.sh
# xvfb xdotool imagemagick).
root=$(cd "$(dirname "$0")/.." && pwd)
build=$(cd "${1:-$root/build}" && pwd)
output=$(mkdir -p "${2:-$root/docs/screenshots}" && cd "${2:-$root/docs/screenshots}" && pwd)
work=$(mktemp -d)
player=""
Xvfb "$display" -screen 0 "${screen}x24" >/dev/null 2>&1 &
xserver=$!
trap 'kill $player $xserver 2>/dev/null; rm -rf "$work"' EXIT
export DISPLAY="$display" XDG_CONFIG_HOME="$work" XDG_DATA_HOME="$work" XDG_CACHE_HOME="$work"
sleep 1
cd "$work"

# Starts the player on a story and waits for its window, kept in `main`.
start() {
    "$build/velmo" "$1" >/dev/null 2>&1 &
    player=$!
    main=$(xdotool search --sync --name "$(basename "$1")" | head -1)
    sleep 1
}
# Without a window manager the focus is given by hand (also after each
# file dialog, which takes it).
focus() { xdotool windowfocus --sync "$1"; sleep 0.3; }
keys() { xdotool key --delay 40 "$@"; sleep 0.3; }
line() { xdotool type --delay 15 "$1"; xdotool key Return; sleep 0.3; }
# The first window whose title holds the text.
window() { xdotool search --sync --name "$1" | head -1; }
