#!/usr/bin/env bash
# Starts the real program on a virtual X display, saves a screenshot of the screen with its
# window, and checks what a person would see: the window is 699 x 454 pixels, its rounded
# corners let the desktop show through, and its face is drawn.
# Usage: window_screenshot.sh <program> <screenshot.png>
set -euo pipefail
program=$1
shot=$2

for tool in Xvfb xdpyinfo xsetroot xdotool xwininfo import; do
    command -v "$tool" >/dev/null || { echo "missing tool: $tool (see scripts/setup.sh)"; exit 1; }
done
# ImageMagick's own convert: another one earlier on the PATH may not read pixels.
magick=/usr/bin/convert
[ -x "$magick" ] || { echo "missing tool: $magick (imagemagick)"; exit 1; }

runtime=$(mktemp -d)
chmod 700 "$runtime"
xvfb_pid=""
app_pid=""
cleanup() {
    set +e
    [ -n "$app_pid" ] && kill "$app_pid" 2>/dev/null && wait "$app_pid" 2>/dev/null
    [ -n "$xvfb_pid" ] && kill "$xvfb_pid" 2>/dev/null && wait "$xvfb_pid" 2>/dev/null
    rm -rf "$runtime"
    return 0
}
trap cleanup EXIT

# A display number nobody uses.
display=""
for n in $(seq 91 160); do
    if [ ! -e "/tmp/.X11-unix/X$n" ] && [ ! -e "/tmp/.X$n-lock" ]; then
        display=":$n"
        break
    fi
done
[ -n "$display" ] || { echo "no free display number"; exit 1; }

Xvfb "$display" -screen 0 1024x768x24 -nolisten tcp -noreset >"$runtime/xvfb.log" 2>&1 &
xvfb_pid=$!
export DISPLAY=$display
for _ in $(seq 1 100); do
    xdpyinfo >/dev/null 2>&1 && break
    sleep 0.1
done
xdpyinfo >/dev/null 2>&1 || { echo "Xvfb did not start"; cat "$runtime/xvfb.log"; exit 1; }

# A desktop of pure green: wherever it shows, the window lets it through. (-noreset above keeps
# it when xsetroot, the only client so far, disconnects.)
xsetroot -solid '#00ff00'

XDG_RUNTIME_DIR=$runtime QT_QPA_PLATFORM=xcb "$program" >"$runtime/app.log" 2>&1 &
app_pid=$!

window=""
for _ in $(seq 1 300); do
    window=$(xdotool search --name '^Vantorel - Ver ' 2>/dev/null | head -n 1 || true)
    [ -n "$window" ] && break
    sleep 0.1
done
[ -n "$window" ] || { echo "the window did not appear"; cat "$runtime/app.log"; exit 1; }

field() { xwininfo -id "$window" | sed -n "s/^ *$1: *//p"; }
# Start-up parks the window off screen; the one-shot tick then centres it.
for _ in $(seq 1 300); do
    x=$(field 'Absolute upper-left X')
    [ "${x:-0}" -ge 0 ] && break
    sleep 0.1
done
sleep 1.5 # let it paint
x=$(field 'Absolute upper-left X')
y=$(field 'Absolute upper-left Y')
width=$(field 'Width')
height=$(field 'Height')

import -window root "$shot"
echo "window $window at $x,$y size ${width}x$height; screenshot $shot"

pixel() {
    "$magick" "$shot" -format "%[fx:int(255*p{$1,$2}.r+0.5)],%[fx:int(255*p{$1,$2}.g+0.5)],%[fx:int(255*p{$1,$2}.b+0.5)]" info:
}

status=0
if [ "$width" != 699 ] || [ "$height" != 454 ]; then
    echo "FAIL: the window is ${width}x$height, not 699x454"
    status=1
fi
if [ "$x" -lt 0 ] || [ "$y" -lt 0 ]; then
    echo "FAIL: the window was not centred on the screen ($x,$y)"
    status=1
fi
for corner in "$x $y" "$((x + width - 1)) $y" "$x $((y + height - 1))" \
              "$((x + width - 1)) $((y + height - 1))"; do
    # shellcheck disable=SC2086
    got=$(pixel $corner)
    if [ "$got" != "0,255,0" ]; then
        echo "FAIL: corner pixel ($corner) is $got, not the desktop's 0,255,0"
        status=1
    fi
done
for inside in "$((x + width / 2)) $((y + height / 2))" "$((x + 40)) $((y + 30))"; do
    # shellcheck disable=SC2086
    got=$(pixel $inside)
    if [ "$got" = "0,255,0" ]; then
        echo "FAIL: pixel ($inside) inside the window shows the desktop"
        status=1
    fi
done
if ! kill -0 "$app_pid" 2>/dev/null; then
    echo "FAIL: the program ended by itself"
    cat "$runtime/app.log"
    status=1
fi
[ "$status" -eq 0 ] && echo "1 passed, 0 failed" || echo "0 passed, 1 failed"
exit "$status"
