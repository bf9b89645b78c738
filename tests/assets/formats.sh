#!/usr/bin/env bash
# The pictures and icon that the installer builds in: the formats its decoder
# and resource compiler get, the colours the window relies on, and that the
# committed files are what assets/make-assets.sh draws.
set -uo pipefail
here=$(cd "$(dirname "$0")" && pwd)
. "$here/../harness/checks.sh"
assets=$(cd "$here/../../assets" && pwd)

# identify's view of a picture: size, bit depth, channels, PNG colour type and bit depth.
format() { identify -format '%w %h %z %[channels] %[png:IHDR.color_type] %[png:IHDR.bit_depth]' "$1"; }
# One pixel as #RRGGBBAA, 8 bits per channel.
rgba() { convert "$1" -crop "1x1+$2+$3" +repage -alpha on -depth 8 txt:- | sed -n 's/.* \(#[0-9A-F]\{8\}\) .*/\1/p'; }
# How many colours a rectangle WxH+X+Y of a picture holds, and the first of them.
region() { convert "$1" -crop "$2" +repage -format '%k %[pixel:p{0,0}]' info:; }
# Little-endian 16-bit word at a byte offset of a file.
word_at() { od -An -tu2 -j "$2" -N2 "$1" | tr -d ' '; }

cd "$assets"
tolvane_check "banner: 617 x 298, 8-bit RGB without alpha" \
  tolvane_equal "617 298 8 srgb 2 (Truecolor) 8" "$(format banner.png)"
tolvane_check "banner: plain ground RGB(0, 181, 255) around the two buttons" \
  tolvane_equal "1 srgb(0,181,255)" "$(region banner.png 137x70+480+0)"
tolvane_check "banner: the name is drawn in white on the left" \
  test "$(convert banner.png -crop 330x80+180+95 +repage -fill black +opaque white -format '%[fx:mean>0.1]' info:)" = 1

tolvane_check "close: 20 x 20, 16-bit RGBA" \
  tolvane_equal "20 20 16 srgba 6 (RGBA) 16" "$(format close.png)"
tolvane_check "close: the corners are fully transparent" \
  tolvane_equal "#00000000 #00000000 #00000000 #00000000" \
  "$(rgba close.png 0 0) $(rgba close.png 19 0) $(rgba close.png 0 19) $(rgba close.png 19 19)"
tolvane_check "close: the cross is opaque RGB(216, 30, 6) at its centre and on both arms" \
  tolvane_equal "#D81E06FF #D81E06FF #D81E06FF #D81E06FF" \
  "$(rgba close.png 9 9) $(rgba close.png 10 10) $(rgba close.png 5 5) $(rgba close.png 14 5)"
tolvane_check "close: the cross spans 12 x 12 pixels, centred" \
  tolvane_equal "12x12+4+4" "$(convert close.png -alpha extract -threshold 50% -format '%@' info:)"
tolvane_check "close: anti-aliased, some edge pixels only partly opaque" \
  test "$(convert close.png -alpha extract -depth 8 txt:- | grep -vc -e '(0)' -e '(255)' -e '^#')" -gt 10

tolvane_check "minimise: 20 x 20, 4-bit palette" \
  tolvane_equal "20 20 8 srgba 3 (Indexed) 4" "$(format minimise.png)"
tolvane_check "minimise: the palette has a transparent entry" \
  tolvane_equal "chunk was found" "$(identify -format '%[png:tRNS]' minimise.png)"
tolvane_check "minimise: rows 9 and 10 are white from column 3 to 16" \
  tolvane_equal "1 srgba(255,255,255,1)" "$(region minimise.png 14x2+3+9)"
tolvane_check "minimise: the bar ends at columns 2 and 17" \
  tolvane_equal "#00000000 #00000000 #00000000 #00000000" \
  "$(rgba minimise.png 2 9) $(rgba minimise.png 17 9) $(rgba minimise.png 2 10) $(rgba minimise.png 17 10)"
tolvane_check "minimise: transparent above and below the bar" \
  tolvane_equal "1 1" "$(convert minimise.png -crop 20x9+0+0 +repage -format '%k' info:) $(convert minimise.png -crop 20x9+0+11 +repage -format '%k' info:)"
tolvane_check "minimise: the top-left pixel is transparent" \
  tolvane_equal "#00000000" "$(rgba minimise.png 0 0)"

tolvane_check "icon: one image, 64 x 64, 8 bits for each of B, G, R and A" \
  tolvane_equal "1 64 64 8 srgba" "$(identify -format '%n %w %h %z %[channels]' icon.ico)"
tolvane_check "icon: directory and bitmap header both say 32 bits per pixel" \
  tolvane_equal "1 32 32" "$(word_at icon.ico 4) $(word_at icon.ico 12) $(word_at icon.ico 36)"

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cp make-assets.sh "$work/"
tolvane_check "make-assets.sh draws exactly the committed files" \
  bash -c "'$work/make-assets.sh' && cd '$work' && cmp banner.png '$assets/banner.png' &&
           cmp close.png '$assets/close.png' && cmp minimise.png '$assets/minimise.png' &&
           cmp icon.ico '$assets/icon.ico'"
