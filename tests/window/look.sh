#!/usr/bin/env bash
# The installer window as it first appears, pixel for pixel where the pictures
# make that possible, then its three buttons under the pointer: hot faces,
# tooltips, the pressed look, a press that is dragged off without a click, and
# finally the close button, which ends the program.
set -uo pipefail
. "$(dirname "$0")/window.sh"

# What the close button should show with face colour R G B: the close picture
# (16 bits a channel, rounded to 8) flattened onto white, drawn opaque and
# centred, or SHIFT pixels further right and down, its key colour (white) left
# out. Prints "X,Y R G B" for each of the 24 x 24 pixels.
close_button_expected() {
  convert "$TOLVANE_ROOT/assets/close.png" txt:- | awk -v face="$1 $2 $3" -v shift_by=$((2 + ${4:-0})) '
    NR > 1 {
      split($1, at, /[,:]/)
      gsub(/[()]/, "", $2); split($2, c, ",")
      for (i = 1; i <= 4; i++) c[i] = int((c[i] * 255 + 32895) / 65536)
      w = c[4] / 255
      px = ""
      for (i = 1; i <= 3; i++) {
        v = c[4] == 255 ? c[i] : int(w * c[i] + (1 - w) * 255)
        px = px (i > 1 ? " " : "") (v > 255 ? 255 : v)
      }
      picture[at[1] + shift_by "," at[2] + shift_by] = px
    }
    END {
      for (y = 0; y < 24; y++)
        for (x = 0; x < 24; x++) {
          p = picture[x "," y]
          print x "," y, (p == "" || p == "255 255 255" ? face : p)
        }
    }'
}

# box_pixels FILE X Y W H: print "X,Y R G B" for each pixel of the box, relative to it.
box_pixels() {
  convert "$1" -crop "$4x$5+$2+$3" +repage -alpha off -depth 8 txt:- |
    sed -n 's/^\([0-9]*,[0-9]*\): *( *\([0-9]*\), *\([0-9]*\), *\([0-9]*\)[,)].*/\1 \2 \3 \4/p'
}

# close_button_is R G B [SHIFT]: the close button on a fresh screenshot shows the cross on face R G B.
close_button_is() {
  local shot
  shot=$(window_shot close) &&
    diff <(close_button_expected "$@") <(box_pixels "$shot" 584 8 24 24) >"$TOLVANE_OUTPUT/close.diff"
}

tolvane_check "drive D: is mapped as a fixed disk" window_map_drive D hd Data
tolvane_check "the server restarts" tolvane_restart_server
tolvane_check "the window appears" window_start
tolvane_check "617 x 428 at 651, 326: centred on the 1920 x 1080 screen" \
  tolvane_equal "651 326 617 428" "$(tolvane_window_geometry "$WINDOW")"
# What Wine tells X of the window's styles and icons: no decoration; moved,
# minimised and closed, never resized or maximised (MWM functions 0x2c); not
# owned, so it has a taskbar button of its own; the icon at 32 and 16 pixels.
tolvane_check "no border or title bar, not resizable, no maximise box" \
  tolvane_equal "_MOTIF_WM_HINTS(_MOTIF_WM_HINTS) = 0x3, 0x2c, 0x0, 0x0, 0x0" "$(xprop -id "$WINDOW" _MOTIF_WM_HINTS)"
tolvane_check "the window has no owner" eval 'xprop -id "$WINDOW" WM_TRANSIENT_FOR | grep -q "not found"'
tolvane_check "its icons are 32 x 32 and 16 x 16" tolvane_equal "$(printf 'Icon (%s):\n' "16 x 16" "32 x 32")" \
  "$(xprop -id "$WINDOW" _NET_WM_ICON | grep -o "Icon ([0-9]* x [0-9]*):" | sort)"
tolvane_check "the window is photographed" eval 'shot=$(window_steady start)'

# The one-pixel frame: row 0, row 427, column 0, column 616.
for box in "0 0 617 1" "0 427 617 1" "0 0 1 428" "616 0 1 428"; do
  tolvane_check "the frame $box is the window's background" assert_box "$shot" $box 0 136 255
done

# The white panel wherever no control lies on it; the hidden progress bar
# (1, 363, 615 x 3) lies in the band below the drive selector.
for box in "1 299 615 21" "1 320 23 40" "80 320 8 40" "88 320 128 11" "88 353 128 7" "216 320 16 40" \
           "600 320 16 40" "1 360 615 22" "1 382 253 45" "366 382 250 45" "254 414 112 13"; do
  tolvane_check "the panel is white in $box" assert_box "$shot" $box 255 255 255
done
tolvane_check "the progress bar is hidden at load" \
  eval 'window_spy children TolvaneLabel | grep -x "1 363 615 3 0 "'

# The banner shows the left 615 columns of its picture; the two small buttons lie on it.
tolvane_check "the banner shows its picture from its top-left corner" eval '
  hide="rectangle 555,7 607,31"
  convert "$shot" -crop 615x298+1+1 +repage -fill black -draw "$hide" "$TOLVANE_OUTPUT/banner-shown.png" &&
  convert "$TOLVANE_ROOT/assets/banner.png" -crop 615x298+0+0 +repage -alpha off -fill black -draw "$hide" \
    "$TOLVANE_OUTPUT/banner-expected.png" &&
  same_pixels "$TOLVANE_OUTPUT/banner-expected.png" "$TOLVANE_OUTPUT/banner-shown.png"'

# Label texts: drawn in their colour, from the left edge, centred vertically,
# cut off at the label's edge (nothing of the caption right of column 79).
tolvane_check "the caption is drawn in RGB(96, 96, 96)" assert_grey_text "$shot" 24 320 56 40 96 40
tolvane_check "the caption's text starts at the label's left edge, is centred vertically and cut at its right edge" \
  eval 'read -r l t w h < <(ink_box "$shot" 24 320 56 40) && [ "$l" -le 1 ] && [ $((l + w)) -ge 55 ] &&
        centred_in 2 40 0 "$t" 2 "$h"'
tolvane_check "the install folder label reads D:\\tolv" tolvane_equal 'D:\tolv' "$(window_caption 232 320)"
tolvane_check "the install folder is drawn in RGB(128, 128, 128)" assert_grey_text "$shot" 232 320 368 40 128 5
tolvane_check "the install folder starts at the label's left edge and is centred vertically" \
  eval 'read -r l t w h < <(ink_box "$shot" 232 320 368 40) && [ "$l" -le 2 ] && centred_in 2 40 0 "$t" 2 "$h"'

# The buttons at rest.
for corner in "254 382" "365 382" "254 413" "365 413"; do
  tolvane_check "立即安装 has its normal face at $corner" tolvane_assert_pixel "$shot" $corner 128 224 0
done
tolvane_check "its white text is centred on it" \
  eval 'centred_in 112 32 $(ink_box "$shot" 254 382 112 32 white)'
tolvane_check "the minimise button shows only its face: its picture is all key colour" \
  assert_box "$shot" 556 8 24 24 0 181 255
tolvane_check "the expected close button has a fringe lighter than the cross" eval '
  close_button_expected 0 181 255 | awk "\$2 > 216 && \$2 < 255 && \$3 > 30 && \$4 > 6 { n++ } END { exit n < 8 }"'
tolvane_check "the close button shows the red cross with its flattened fringe, centred" close_button_is 0 181 255

# Under the pointer. The pointer then leaves the window altogether, so only
# WM_MOUSELEAVE can tell the button.
tolvane_check "the pointer over the close button turns its face red" \
  eval 'tolvane_mouse_move $(window_point 596 20) && wait_for 2 close_button_is 255 0 0'
tolvane_check "when the pointer leaves the window the face is RGB(0, 181, 255) again" \
  eval 'tolvane_mouse_move 100 100 && wait_for 2 close_button_is 0 181 255'

# Each button: its centre, its tooltip, its hot face. The tooltip must go
# before the next button is tried.
tooltip_is() { tolvane_equal "$1" "$(window_spy tooltips)"; }
# pixel_is NAME X Y R G B: on a fresh shot NAME (kept in $last), the pixel has that colour.
pixel_is() { last=$(window_shot "$1") && tolvane_equal "$4 $5 $6" "$(tolvane_pixel "$last" "$2" "$3")"; }
for case in "立即安装 310 398 254 382 关闭 0 224 128" "关闭 596 20 584 8 关闭 255 0 0" \
            "最小化 568 20 556 8 最小化 100 208 255"; do
  read -r name x y left top tip r g b <<<"$case"
  tolvane_check "the pointer rests on the button $name" eval 'tolvane_mouse_move $(window_point "$x" "$y")'
  tolvane_check "$name shows the tooltip $tip" wait_for 3 tooltip_is "$tip"
  tolvane_check "$name has its hot face" wait_for 2 pixel_is "hot-$left" "$left" "$top" "$r" "$g" "$b"
  tolvane_check "the tooltip goes when the pointer leaves" eval 'tolvane_mouse_move 100 100 && wait_for 3 tooltip_is ""'
done

tolvane_check "the close button held down shows its cross one pixel further right and down" eval '
  tolvane_mouse_move $(window_point 596 20) && sleep 0.2 && tolvane_mouse_down && wait_for 2 close_button_is 255 0 0 1'
tolvane_check "moved off the close button and released, it does not close the window" \
  eval 'tolvane_mouse_move 100 100 && sleep 0.2 && tolvane_mouse_up && still_running 0.5'

# 立即安装 held down: hot face, text one pixel right and down; dragged off
# before the release, so nothing is clicked.
box="254 382 112 32"
tolvane_check "the pointer rests on 立即安装" eval 'tolvane_mouse_move $(window_point 310 398) &&
  wait_for 2 pixel_is hot 254 382 0 224 128 && hot=$last'
tolvane_check "its text is white" eval 'white_mask "$shot" 254 382 111 31 "$TOLVANE_OUTPUT/text-normal.png" &&
  histogram "$TOLVANE_OUTPUT/text-normal.png" 0 0 111 31 | awk "\$2 == 255 && \$1 >= 50 { ok = 1 } END { exit !ok }"'
tolvane_check "hot, the text stays where it was" eval 'white_mask "$hot" 254 382 111 31 "$TOLVANE_OUTPUT/text-hot.png" &&
  same_pixels "$TOLVANE_OUTPUT/text-normal.png" "$TOLVANE_OUTPUT/text-hot.png"'
pressed_text_moved() {
  pressed=$(window_shot pressed) && white_mask "$pressed" 255 383 111 31 "$TOLVANE_OUTPUT/text-pressed.png" &&
    same_pixels "$TOLVANE_OUTPUT/text-normal.png" "$TOLVANE_OUTPUT/text-pressed.png"
}
tolvane_check "held down, its text lies one pixel further right and down" \
  eval 'tolvane_mouse_down && wait_for 2 pressed_text_moved'
for corner in "254 382" "365 413"; do
  tolvane_check "the pressed face is RGB(0, 224, 128) at $corner" tolvane_assert_pixel "$pressed" $corner 0 224 128
done
tolvane_check "moved off the button and released" eval 'tolvane_mouse_move 100 100 && sleep 0.2 && tolvane_mouse_up'
tolvane_check "no install run started: the progress bar stays hidden and no folder is made" \
  eval 'sleep 0.5 && window_spy children TolvaneLabel | grep -x "1 363 615 3 0 " && [ ! -e "$WINDOW_DRIVES/D/tolv" ]'
tolvane_check "the press gave 立即安装 the keyboard focus" tolvane_equal "Button $box" "$(window_spy focus)"
button_as_at_start() {
  local after
  after=$(window_shot after) && convert "$after" -crop 112x32+254+382 +repage "$TOLVANE_OUTPUT/button-focused.png" &&
    same_pixels "$TOLVANE_OUTPUT/button-start.png" "$TOLVANE_OUTPUT/button-focused.png"
}
tolvane_check "focused, it looks exactly as at the start" eval '
  convert "$shot" -crop 112x32+254+382 +repage "$TOLVANE_OUTPUT/button-start.png" && wait_for 2 button_as_at_start'

tolvane_check "a click on the close button" eval 'tolvane_click $(window_point 596 20)'
tolvane_check "ends the program" tolvane_wait_exit "$WINDOW_PID" 5
tolvane_check "with exit code 0" tolvane_equal 0 "$TOLVANE_EXIT"
