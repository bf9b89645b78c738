#!/usr/bin/env bash
# Draws the installer's pictures and icon into assets/. The output is byte for
# byte the same on every run (no time stamps, one thread), so re-running it
# leaves git clean unless the drawing changed.
set -euo pipefail
cd "$(dirname "$0")"
export MAGICK_THREAD_LIMIT=1 SOURCE_DATE_EPOCH=0

latin=/usr/share/fonts/truetype/dejavu/DejaVuSans-Bold.ttf
cjk=/usr/share/fonts/truetype/wqy/wqy-microhei.ttc
ground='rgb(0,181,255)'     # the face colour of the window's small buttons
deep='rgb(0,110,225)'
# No text chunks or time chunks: they carry the date of the run.
png_clean=(-strip -define png:exclude-chunks=date,time,tEXt,zTXt,iTXt)

# The mark shared by the banner and the icon, drawn on a 96 x 96 canvas: a
# white rounded tile holding a blue arrow that drops into a tray.
mark() {
  convert -size 96x96 xc:none \
    -fill 'rgba(0,60,150,0.30)' -draw 'roundrectangle 4,8 92,96 22,22' -blur 0x4 \
    -fill white -draw 'roundrectangle 4,2 91,89 22,22' \
    -fill "$ground" \
    -draw 'rectangle 42,16 54,42' \
    -draw 'polygon 30,40 66,40 48,58' \
    -fill "$deep" \
    -draw 'rectangle 22,54 29,74' -draw 'rectangle 67,54 74,74' -draw 'rectangle 22,67 74,74' \
    "$1"
}

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
mark "$work/mark.png"

# Banner: 617 x 298. The top right, where the minimise and close buttons sit,
# stays plain ground colour so that the buttons' faces blend into it.
convert -size 617x298 xc:"$ground" \
  \( -size 760x600 radial-gradient:"rgba(0,110,225,0.65)-rgba(0,110,225,0)" \) \
     -geometry -380+40 -compose over -composite \
  \( -size 617x298 xc:none \
     -fill 'rgba(255,255,255,0.10)' -draw 'circle 470,300 470,170' \
     -fill 'rgba(255,255,255,0.08)' -draw 'circle 560,320 560,210' \
     -fill 'rgba(255,255,255,0.07)' -draw 'circle 120,-40 120,90' \
     -fill 'rgba(255,255,255,0.12)' \
     -draw 'path "M 0,250 C 150,205 300,290 450,245 C 530,222 580,232 617,240 L 617,298 L 0,298 Z"' \
     -fill 'rgba(255,255,255,0.10)' \
     -draw 'path "M 0,272 C 170,240 330,300 617,262 L 617,298 L 0,298 Z"' \
     -blur 0x2 \) -compose over -composite \
  \( "$work/mark.png" \) -geometry +64+92 -compose over -composite \
  \( -size 617x298 xc:none -font "$latin" -pointsize 74 -fill 'rgba(0,70,170,0.45)' \
     -annotate +186+164 'Tolvane' -blur 0x3 \) -compose over -composite \
  -font "$latin" -pointsize 74 -fill white -annotate +184+160 'Tolvane' \
  -font "$cjk" -pointsize 24 -fill 'rgba(255,255,255,0.92)' \
  -annotate +188+204 '轻松安装 · 即刻开始' \
  -alpha off -depth 8 -define png:color-type=2 "${png_clean[@]}" PNG24:banner.png

# Close: a thin red cross, 12 x 12, centred in 20 x 20, anti-aliased edges.
convert -size 20x20 xc:none -fill none -stroke 'rgb(216,30,6)' -strokewidth 2 \
  -draw 'line 5,5 14.5,14.5' -draw 'line 14.5,5 5,14.5' \
  -depth 16 "${png_clean[@]}" PNG64:close.png

# Minimise: a white bar, columns 3 to 16, rows 9 and 10; a 4-bit palette with
# a transparent entry.
convert -size 20x20 xc:none -fill white -draw 'rectangle 3,9 16,10' \
  -define png:bit-depth=4 -define png:color-type=3 "${png_clean[@]}" PNG8:minimise.png

# Icon: one 64 x 64 image, 32 bits per pixel, in the banner's colours.
convert -size 64x64 xc:none \
  \( -size 64x64 radial-gradient:"rgb(60,205,255)-$deep" \
     \( -size 64x64 xc:black -fill white -draw 'roundrectangle 0,0 63,63 14,14' \) \
     -alpha off -compose copy_opacity -composite \) -compose over -composite \
  \( "$work/mark.png" -resize 52x52 \) -geometry +6+7 -compose over -composite \
  -depth 8 -type TrueColorAlpha -define icon:auto-resize=64 "$work/icon.png"
convert "$work/icon.png" -depth 8 -type TrueColorAlpha ICO:icon.ico
