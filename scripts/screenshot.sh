#!/usr/bin/env bash
# Starts the application on a virtual X server with a plain window manager, optionally clicks
# at the given screen positions, and saves a picture of the screen.
# Needs xvfb, twm, xdotool and imagemagick:  scripts/screenshot.sh out.png [x y]...
set -euo pipefail
if [ -z "${SCREENSHOT_INNER:-}" ]; then
    export SCREENSHOT_INNER=1
    exec xvfb-run -a -s "-screen 0 1024x768x24" "$0" "$@"
fi
out=$(realpath -m "$1"); shift
cd "$(dirname "$0")/.."
export RESERVIUM_HOME="${RESERVIUM_HOME:-$(mktemp -d)}"
twmrc=$(mktemp)
printf 'RandomPlacement\nNoGrabServer\n' >"$twmrc"
twm -f "$twmrc" >/dev/null 2>&1 &
wm=$!
sleep 0.5
build/src/app/reservium >/dev/null 2>&1 &
app=$!
sleep 3
while [ $# -ge 2 ]; do
    xdotool mousemove "$1" "$2" click 1
    sleep 1
    shift 2
done
import -window root "$out"
kill "$app" "$wm" 2>/dev/null || true
