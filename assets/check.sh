#!/usr/bin/env bash
# Pixel checks of the rendered pictures in skin/ and of sound.wav. render.sh runs it after
# every render; it can also be run by hand. Needs ImageMagick and python3.
# Usage: assets/check.sh [picture-folder [sound-file]]   (default: skin/ and sound.wav here)
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
skin=${1:-$here/skin}
sound=${2:-$here/sound.wav}
failures=0

fail() {
    echo "FAIL: $*" >&2
    failures=$((failures + 1))
}

expect() { # what actual expected
    [ "$2" = "$3" ] || fail "$1: got '$2', expected '$3'"
}

size_of() { identify -format '%wx%h' "$1"; }
has_alpha() { identify -format '%A' "$1"; }

# Number of pixels of exactly RGB(255, 0, 255) in a region (WxH+X+Y) of a picture.
key_pixels() {
    convert "$1" -crop "$2" +repage -alpha off -fill black +opaque '#FF00FF' \
        -fill white -opaque '#FF00FF' -format '%[fx:round(mean*w*h)]' info:
}

# Pixels that are near the key colour without being it: what a blended edge would leave.
near_key_pixels() {
    local all exact
    all=$(convert "$1" -crop "$2" +repage -alpha off -fuzz 35% -fill black +opaque '#FF00FF' \
        -fill white -opaque '#FF00FF' -format '%[fx:round(mean*w*h)]' info:)
    exact=$(key_pixels "$1" "$2")
    echo $((all - exact))
}

# A skinned face of W x H with rounded corners of radius R: exact key colour in the four
# corners, symmetric, none anywhere else, and no pinkish blend anywhere in the face.
check_face() { # file width height radius
    local f=$1 w=$2 h=$3 r=$4 name
    name=$(basename "$f")
    expect "$name alpha channel" "$(has_alpha "$f")" "False"
    local corners=("${r}x${r}+0+0" "${r}x${r}+$((w - r))+0" "${r}x${r}+0+$((h - r))"
        "${r}x${r}+$((w - r))+$((h - r))")
    local first
    first=$(key_pixels "$f" "${corners[0]}")
    # A quarter of a square of side r outside a circle of radius r: r^2 (1 - pi/4).
    local expected=$((r * r * 2146 / 10000))
    if [ "$first" -lt $((expected - 8)) ] || [ "$first" -gt $((expected + 8)) ]; then
        fail "$name: $first key pixels in the top-left corner, expected about $expected"
    fi
    for c in "${corners[@]}"; do
        expect "$name key pixels in corner $c" "$(key_pixels "$f" "$c")" "$first"
    done
    for p in "0,0" "$((w - 1)),0" "0,$((h - 1))" "$((w - 1)),$((h - 1))"; do
        expect "$name pixel $p" "$(convert "$f" -format "%[hex:p{$p}]" info:)" "FF00FF"
    done
    expect "$name key pixels between the corners (rows)" \
        "$(key_pixels "$f" "$((w - 2 * r))x${h}+${r}+0")" "0"
    expect "$name key pixels between the corners (columns)" \
        "$(key_pixels "$f" "${w}x$((h - 2 * r))+0+${r}")" "0"
    expect "$name near-key pixels" "$(near_key_pixels "$f" "${w}x${h}+0+0")" "0"
}

main=$skin/main.png
expect "main.png size" "$(size_of "$main")" "720x458"
check_face "$main" 699 454 14

# A lit picture sits on top of the face: exactly its control's size, opaque, no key colour,
# and visibly different from the resting face under it.
check_lit() { # name left top width height
    local f=$skin/$1.png
    expect "$1 size" "$(size_of "$f")" "${4}x${5}"
    expect "$1 alpha channel" "$(has_alpha "$f")" "False"
    expect "$1 key pixels" "$(key_pixels "$f" "${4}x${5}+0+0")" "0"
    local changed
    changed=$(convert "$main" -crop "${4}x${5}+${2}+${3}" +repage "$f" -alpha off \
        -compose difference -composite -threshold 3% -format '%[fx:round(mean*w*h)]' info:)
    if [ "$changed" -lt $(($4 * $5 / 20)) ]; then
        fail "$1: only $changed pixels differ from the resting face"
    fi
}
check_lit lit_toolbar_0 19 4 48 57
check_lit lit_toolbar_6 82 3 68 60
check_lit lit_toolbar_1 169 3 60 60
check_lit lit_toolbar_2 239 3 60 60
check_lit lit_toolbar_3 313 3 60 60
check_lit lit_toolbar_4 374 3 60 60
check_lit lit_convert 492 333 187 91
check_lit progress_bar 109 409 361 13

options=$skin/options.png
expect "options.png size" "$(size_of "$options")" "600x140"
check_face "$options" 600 140 14

# The cursor's hot spot (6, 0) must be the fingertip: opaque there, and nothing else on the
# top row or to the left of the tip that a user would take for the point.
cursor=$skin/cursor.png
expect "cursor.png size" "$(size_of "$cursor")" "32x32"
expect "cursor.png alpha channel" "$(has_alpha "$cursor")" "True"
expect "cursor hot spot opaque" "$(convert "$cursor" -format '%[fx:p{6,0}.a>0.9]' info:)" "1"
top_row=$(convert "$cursor" -crop 32x1+0+0 +repage -alpha extract -threshold 50% \
    -format '%[fx:round(mean*w)]' info:)
if [ "$top_row" -lt 1 ] || [ "$top_row" -gt 3 ]; then
    fail "cursor: $top_row opaque pixels on the top row, expected the fingertip only (1-3)"
fi
expect "cursor: opaque pixels left of the tip on the top row" \
    "$(convert "$cursor" -crop 5x1+0+0 +repage -alpha extract -threshold 50% \
        -format '%[fx:round(mean*w)]' info:)" "0"
expect "cursor corner transparent" "$(convert "$cursor" -format '%[fx:p{31,31}.a]' info:)" "0"

icon=$skin/icon.png
expect "icon.png size" "$(size_of "$icon")" "256x256"
expect "icon.png alpha channel" "$(has_alpha "$icon")" "True"

python3 - "$sound" <<'EOF' || failures=$((failures + 1))
import array, os, sys, wave
path = sys.argv[1]
problems = []
with wave.open(path, "rb") as w:
    rate, width, frames = w.getframerate(), w.getsampwidth(), w.getnframes()
    data = array.array("h", w.readframes(frames))
    channels = w.getnchannels()
if rate != 44100: problems.append(f"rate {rate}, expected 44100")
if width != 2: problems.append(f"{8 * width}-bit, expected 16-bit")
seconds = frames / rate
if not 0.6 <= seconds <= 1.6: problems.append(f"{seconds:.2f} s long, expected about 1 s")
if os.path.getsize(path) >= 200 * 1024: problems.append("larger than 200 KB")
peak = max(abs(s) for s in data)
if not 8000 <= peak <= 30000: problems.append(f"peak {peak}: too quiet or clipping")
edge = 10 * channels
if max(abs(s) for s in data[:edge]) > 600 or max(abs(s) for s in data[-edge:]) > 600:
    problems.append("does not start and end near silence (a click)")
for p in problems:
    print(f"FAIL: sound.wav: {p}", file=sys.stderr)
sys.exit(1 if problems else 0)
EOF

if [ "$failures" -gt 0 ]; then
    echo "check.sh: $failures check(s) failed" >&2
    exit 1
fi
echo "check.sh: all pictures and the sound pass"
