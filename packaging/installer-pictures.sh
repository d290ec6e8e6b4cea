#!/usr/bin/env bash
# Draws the installer's pictures from Quorrin's icon (src/app/quorrin.ico), into FOLDER:
#   welcome.bmp  164 x 314, the welcome and finish pages: the clock in white over green, the name
#   header.bmp   150 x 57, right of every other page's header: the clock as the icon shows it
# Plain 24-bit BMPs, which hold no dates or names, so the same icon gives the same bytes.
#
#   packaging/installer-pictures.sh FOLDER
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
out=${1:?FOLDER}
# The icon's largest picture, 48 x 48: a green ring and hands on white.
icon="$root/src/app/quorrin.ico[2]"
readonly kTop='#2E9B45' kBottom='#145A24'  # the icon's green, lighter at the top
readonly kClockSize=96 kClockTop=64 kNameTop=176 kNamePoints=22 kHeaderMargin=8

# The ring and hands as a white shape: the icon's dark strokes become opaque.
convert -size 164x314 "gradient:$kTop-$kBottom" \
    \( "$icon" -background white -alpha remove -colorspace gray -negate -auto-level \
    -filter Lanczos -resize "${kClockSize}x$kClockSize" -alpha copy -fill white -colorize 100 \) \
    -gravity north -geometry "+0+$kClockTop" -composite \
    -font Liberation-Sans-Bold -pointsize $kNamePoints -fill white -annotate "+0+$kNameTop" Quorrin \
    -alpha off -type TrueColor "BMP3:$out/welcome.bmp"
convert -size 150x57 xc:white \( "$icon" -background white -alpha remove \) \
    -gravity east -geometry "+$kHeaderMargin+0" -composite \
    -alpha off -type TrueColor "BMP3:$out/header.bmp"
