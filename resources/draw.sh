#!/usr/bin/env bash
# Draws the program's pictures with ImageMagick (and icoutils for the icon group): the help window's photograph of a pair of
# football boots (boots.jpg) and the program icon (korvane.ico, icons/korvane-N.png).
# Run from anywhere; writes beside this script.
set -eu
cd "$(dirname "$0")"

# One white boot with dark trim, toe to the left, in an 80 x 36 box.
boot() {
  cat <<'MVG'
push graphic-context
  stroke '#1b1f2a' stroke-width 1 fill white
  path 'M 2,29 C 0,24 3,20 10,19 C 20,17 30,14 38,10 L 50,3 C 53,1 58,0 62,1 C 66,3 70,4 74,3 C 78,6 80,12 80,20 C 80,25 79,28 77,30 Z'
  stroke none fill '#1b1f2a'
  path 'M 50,3 C 56,5 66,5 74,3 C 68,1 58,0 50,3 Z'
  path 'M 71,4 C 75,4 75,3 75,3 C 79,7 80,13 80,20 C 80,25 79,28 77,30 L 72,30 C 73,22 73,12 71,4 Z'
  path 'M 28,29 C 38,21 48,15 62,12 L 64,16 C 52,18 43,24 35,29 Z'
  path 'M 1,27 C 3,31 8,32 14,32 L 76,32 C 79,32 80,30 79,28 Z'
  polygon 12,32 17,32 16,35 13,35
  polygon 23,32 28,32 27,35 24,35
  polygon 34,32 39,32 38,35 35,35
  polygon 46,32 51,32 50,35 47,35
  polygon 64,32 69,32 68,35 65,35
  polygon 72,32 77,32 76,35 73,35
  stroke '#1b1f2a' stroke-width 1.2 stroke-linecap round
  line 37,9 40,13
  line 40,7 43,11
  line 43,5 46,9
  line 46,3 49,7
pop graphic-context
MVG
}

# The photograph: the boots side by side on a light studio backdrop, drawn at four times the size
# and scaled down for smooth edges.
pair="scale 4,4
fill '#00000030' ellipse 66,62 58,5 0,360
push graphic-context translate 46,13 scale 0.95,0.95 $(boot) pop graphic-context
push graphic-context translate 6,24 $(boot) pop graphic-context"
convert -size 532x284 gradient:'#c9d3d8-#f4f6f7' -draw "$pair" \
  -resize 133x71 -strip -colorspace sRGB -type TrueColor -units PixelsPerInch -density 72 \
  -interlace none -sampling-factor 2x2 -quality 92 boots.jpg
printf '\002' | dd of=boots.jpg bs=1 seek=12 conv=notrunc status=none # JFIF 1.02

# The icon: one boot, tilted as in a kick, on a green square.
kick="fill '#2e7d32' roundrectangle 4,4 251,251 40,40
translate 128,136 rotate -28 scale 2.9,2.9 translate -40,-18 $(boot)"
convert -size 256x256 xc:none -draw "$kick" -strip -depth 8 icons/korvane-256.png
for size in 128 64 48 32 16; do
  convert icons/korvane-256.png -resize ${size}x${size} -strip -depth 8 icons/korvane-$size.png
done
# The icon group: 32 x 32 in 2 and in 16 colours and 16 x 16 in 16 colours for old screens, then
# 48, 64, 128 and 256 in true colour (the largest stored as PNG), with icoutils' icotool.
low=$(mktemp -d)
trap 'rm -rf "$low"' EXIT
convert icons/korvane-32.png -background white -alpha remove -alpha off +dither -colors 2 "$low/32x1.png"
convert icons/korvane-32.png +dither -colors 16 "$low/32x4.png"
convert icons/korvane-16.png +dither -colors 16 "$low/16x4.png"
icotool -c -o korvane.ico -b 1 "$low/32x1.png" -b 4 "$low/32x4.png" -b 4 "$low/16x4.png" \
  -b 32 icons/korvane-48.png -b 32 icons/korvane-64.png -b 32 icons/korvane-128.png \
  -r icons/korvane-256.png
