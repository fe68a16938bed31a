#!/usr/bin/env bash
# Renders the SVG sources in src/ into the pictures in skin/ and checks them.
# Needs rsvg-convert (librsvg2-bin), ImageMagick and the DejaVu fonts (fonts-dejavu-core).
# Usage: assets/render.sh [--preview FILE]
#   --preview FILE  also writes FILE: the main skin with the controls' rectangles drawn
#                   over it, to see by eye that labels and controls line up.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
src=$here/src
out=$here/skin
preview=""
if [ "${1:-}" = "--preview" ]; then
    preview=${2:?--preview needs a file name}
fi

tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT
mkdir -p "$out"

# No ancillary chunks: no gamma or colour profile that a reader might apply to the key
# colour, and no time stamps, so a re-render of unchanged sources gives identical files.
opaque=(-define png:exclude-chunk=all -alpha off PNG24:)
with_alpha=(-define png:exclude-chunk=all PNG32:)

# The face of a window: a W x H rectangle with corners of radius R at the canvas' top-left.
# A pixel belongs to it when its centre lies inside that shape. The mask is computed from the
# geometry rather than from the renderer's edge coverage, so the four corners are exact
# mirror images of each other.
face_mask() { # width height radius canvas-width canvas-height output
    local w=$1 h=$2 r=$3
    convert -size "${r}x${r}" xc:black -fx "hypot($r-(i+0.5), $r-(j+0.5)) <= $r ? 1 : 0" \
        "$tmp/corner.png"
    convert -size "${w}x${h}" xc:white \
        "$tmp/corner.png" -geometry +0+0 -composite \
        \( "$tmp/corner.png" -flop \) -geometry +$((w - r))+0 -composite \
        \( "$tmp/corner.png" -flip \) -geometry +0+$((h - r)) -composite \
        \( "$tmp/corner.png" -flip -flop \) -geometry +$((w - r))+$((h - r)) -composite \
        -background black -gravity NorthWest -extent "${4}x${5}" "$6"
}

# The sources draw the face clipped to the same shape on a transparent canvas. Every pixel of
# the face keeps its own drawn colour at full opacity (the colour of the outline along the
# rounded edge); every other pixel becomes exactly RGB(255, 0, 255). Nothing is blended with
# the key colour, so no pink fringe can show around the corners.
key_out() { # rendered mask output
    convert "$1" -alpha off "$2" -compose CopyOpacity -composite -background '#FF00FF' \
        -compose Over -alpha remove "${opaque[@]}""$3"
}

face_mask 699 454 14 720 458 "$tmp/main-mask.png"
rsvg-convert "$src/main.svg" -o "$tmp/main.png"
key_out "$tmp/main.png" "$tmp/main-mask.png" "$out/main.png"

# Second pass with the highlighted group shown; the lit pictures are cut out of it at the
# rectangles of the controls that show them.
sed 's/\.lit { display: none; }/.lit { display: inline; }/' "$src/main.svg" >"$tmp/lit.svg"
if cmp -s "$src/main.svg" "$tmp/lit.svg"; then
    echo "render.sh: main.svg has no hidden .lit rule to switch on" >&2
    exit 1
fi
rsvg-convert "$tmp/lit.svg" -o "$tmp/lit.png"
key_out "$tmp/lit.png" "$tmp/main-mask.png" "$tmp/lit-keyed.png"

cut() { # name left top width height
    convert "$tmp/lit-keyed.png" -crop "${4}x${5}+${2}+${3}" +repage "${opaque[@]}""$out/$1.png"
}
cut lit_toolbar_0 19 4 48 57   # Add File
cut lit_toolbar_6 82 3 68 60   # Add Folder
cut lit_toolbar_1 169 3 60 60  # Remove
cut lit_toolbar_2 239 3 60 60  # Options
cut lit_toolbar_3 313 3 60 60  # Help
cut lit_toolbar_4 374 3 60 60  # Exit
cut lit_convert 492 333 187 91
cut progress_bar 109 409 361 13

face_mask 600 140 14 600 140 "$tmp/options-mask.png"
rsvg-convert "$src/options.svg" -o "$tmp/options.png"
key_out "$tmp/options.png" "$tmp/options-mask.png" "$out/options.png"

rsvg-convert "$src/cursor.svg" -o "$tmp/cursor.png"
convert "$tmp/cursor.png" "${with_alpha[@]}""$out/cursor.png"

rsvg-convert -w 256 -h 256 "$src/icon.svg" -o "$tmp/icon.png"
convert "$tmp/icon.png" "${with_alpha[@]}""$out/icon.png"

if [ -n "$preview" ]; then
    # Text boxes and combo boxes white, buttons and labels outlined in red.
    convert "$out/main.png" -fill white -stroke '#7a8a96' \
        -draw "rectangle 554,103 596,125" -draw "rectangle 600,103 688,124" \
        -draw "rectangle 482,156 688,177" -draw "rectangle 482,198 574,219" \
        -draw "rectangle 602,200 690,221" -draw "rectangle 482,244 688,265" \
        -draw "rectangle 482,292 630,314" -draw "rectangle 640,291 688,315" \
        -draw "rectangle 14,122 468,395" -fill none -stroke red \
        -draw "rectangle 19,4 66,60" -draw "rectangle 82,3 149,62" \
        -draw "rectangle 169,3 228,62" -draw "rectangle 239,3 298,62" \
        -draw "rectangle 313,3 372,62" -draw "rectangle 374,3 433,62" \
        -draw "rectangle 492,333 678,423" -draw "rectangle 208,409 364,421" \
        -draw "rectangle 14,434 146,446" -draw "rectangle 152,228 314,248" \
        "$preview"
fi

"$here/check.sh"
