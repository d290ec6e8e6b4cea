#!/usr/bin/env bash
# Draws the stored pictures of the two button controls with ImageMagick and writes them as
# BMP files (run from anywhere; the output is byte-for-byte reproducible).
# src/controls/image_button/pictures/:
#   background_0..6.bmp  24-bit vertical gradient strips, stretched over the button: the
#                        normal and pressed backgrounds and the five hover pictures
#   icon_0..5.bmp        32-bit BMP with straight (not premultiplied) alpha in the fourth byte
# src/controls/drawn_button/pictures/:
#   face_0..3.bmp        24-bit 18 x 21 faces of the drawn button, cut into nine pieces with
#                        3-pixel corners: disabled, normal, hover, pressed
# Plain GDI loads BMP without extra libraries, so every picture is stored as BMP.
set -euo pipefail
src=$(cd "$(dirname "$0")/.." && pwd)/src
out=$src/controls/image_button/pictures
mkdir -p "$out"

# Strip: width x height, top colour, bottom colour.
strip() {
    convert -size "$2" gradient:"$3-$4" -type TrueColor BMP3:"$out/$1"
}
strip background_0.bmp 4x55 '#cfe2fb' '#ffffff'   # normal: light blue to white
strip background_1.bmp 4x55 '#b4cdf0' '#f4f8ff'   # pressed: a shade darker
strip background_2.bmp 4x111 '#d7e9ff' '#8fbcf5'  # hover, OverColor 0: blue
strip background_3.bmp 1x7 '#ffffff' '#f49a9a'    # hover, OverColor 1: white to red
strip background_4.bmp 4x100 '#fbe0fb' '#e59ae5'  # hover, OverColor 2: magenta
strip background_5.bmp 1x7 '#ffffff' '#f8e27a'    # hover, OverColor 3: white to yellow
strip background_6.bmp 4x100 '#e2f7df' '#9ed996'  # hover, OverColor 4: green

# Icons are drawn four times larger on a transparent canvas and scaled down, which gives
# smooth edges. icon NAME SIZE DRAW-ARGS...
icon() {
    local name=$1 size=$2
    shift 2
    local big=$((size * 4))
    convert -size "${big}x${big}" xc:none "$@" -filter Box -resize "${size}x${size}" \
        -define bmp3:alpha=true BMP3:"$out/$name"
}

# 0: glass wastebasket: a translucent bin with ribs and a lid.
icon icon_0.bmp 48 \
    -stroke '#4d6f8c' -strokewidth 8 -fill 'rgba(170,205,235,0.55)' \
    -draw 'polygon 40,52 152,52 138,180 54,180' \
    -fill none -strokewidth 6 -draw 'line 74,72 80,162' -draw 'line 96,72 96,162' \
    -draw 'line 118,72 112,162' \
    -strokewidth 8 -fill 'rgba(190,220,245,0.8)' -draw 'roundrectangle 28,30 164,50 6,6' \
    -fill none -draw 'roundrectangle 78,12 114,30 6,6'

# 1: green plus sign.
icon icon_1.bmp 48 \
    -stroke '#1e7a2c' -strokewidth 8 -fill '#3cb54a' \
    -draw 'polygon 72,20 120,20 120,72 172,72 172,120 120,120 120,172 72,172 72,120 20,120 20,72 72,72'

# 2: blue floppy disk: body with a cut corner, metal shutter, white label.
icon icon_2.bmp 48 \
    -stroke '#173f7a' -strokewidth 8 -fill '#2f6fc4' \
    -draw 'polygon 20,20 152,20 172,40 172,172 20,172' \
    -fill '#c9d3de' -strokewidth 6 -draw 'rectangle 54,24 134,74' \
    -stroke none -fill '#2f6fc4' -draw 'rectangle 108,32 124,66' \
    -stroke '#173f7a' -strokewidth 6 -fill '#ffffff' -draw 'rectangle 42,100 150,168'

# 3: red diagonal cross.
icon icon_3.bmp 48 \
    -stroke '#8f1616' -strokewidth 8 -fill '#e03a3a' \
    -draw 'polygon 50,22 96,68 142,22 170,50 124,96 170,142 142,170 96,124 50,170 22,142 68,96 22,50'

# 4: blue circle with a white cross.
icon icon_4.bmp 48 \
    -stroke '#173f7a' -strokewidth 8 -fill '#2f7fd8' -draw 'circle 96,96 96,18' \
    -stroke '#ffffff' -strokewidth 22 -draw 'line 64,64 128,128' -draw 'line 128,64 64,128'

# 5: blue gear wheel: twelve teeth around a ring with a hole, kept at 32 x 32.
gear=$(awk 'BEGIN {
    pi = atan2(0, -1); n = 12; outer = 60; inner = 47; c = 64;
    for (i = 0; i < n; i++) {
        a = 2 * pi * i / n; w = pi / n * 0.55;
        split((a - 2 * w) " " (a - w) " " (a + w) " " (a + 2 * w), ang, " ");
        printf "%.1f,%.1f %.1f,%.1f %.1f,%.1f %.1f,%.1f ",
            c + inner * cos(ang[1]), c + inner * sin(ang[1]),
            c + outer * cos(ang[2]), c + outer * sin(ang[2]),
            c + outer * cos(ang[3]), c + outer * sin(ang[3]),
            c + inner * cos(ang[4]), c + inner * sin(ang[4]);
    }
}')
icon icon_5.bmp 32 \
    -stroke '#173f7a' -strokewidth 5 -fill '#3a78c8' -draw "polygon $gear" \
    -fill none -draw 'circle 64,64 64,84' \
    \( -size 128x128 xc:none -fill black -draw 'circle 64,64 64,80' \) \
    -compose DstOut -composite

# Faces of the drawn button: FILE TOP BOTTOM FRAME INNER. A vertical gradient face, a frame
# with its corner pixels cut (rounded at 18 x 21), and a one-pixel inner line (a highlight or
# a shadow). Drawn without anti-aliasing, so every pixel is exactly one of these colours or
# the gradient's.
faces=$src/controls/drawn_button/pictures
mkdir -p "$faces"
face() {
    convert -size 18x21 gradient:"$2-$3" +antialias -fill none \
        -stroke "$5" -draw 'rectangle 1,1 16,19' \
        -stroke "$4" -draw 'line 1,0 16,0' -draw 'line 1,20 16,20' \
        -draw 'line 0,1 0,19' -draw 'line 17,1 17,19' \
        -fill "$4" -stroke none -draw 'point 1,1' -draw 'point 16,1' \
        -draw 'point 1,19' -draw 'point 16,19' \
        -fill '#eef1f6' -draw 'point 0,0' -draw 'point 17,0' -draw 'point 0,20' \
        -draw 'point 17,20' \
        -type TrueColor BMP3:"$faces/$1"
}
face face_0.bmp '#f7f2e4' '#efe6cf' '#c9bfa4' '#f7f2e4'  # disabled: pale beige
face face_1.bmp '#ffffff' '#e9edf3' '#5f7896' '#ffffff'  # normal: white, blue-grey frame
face face_2.bmp '#fffdf4' '#fdf0cf' '#e8a21a' '#ffd86a'  # hover: light, orange-yellow frame
face face_3.bmp '#c9ccd2' '#e6e8ec' '#5f7896' '#b3b7be'  # pressed: grey shaded
