#!/usr/bin/env bash
# The installer window under the keyboard and the mouse: Tab and Shift+Tab
# through the four controls that take the focus, Enter doing nothing, dragging
# the window from everywhere but the drive selector and the buttons, the
# minimise button and restoring the window, Shift+Esc kept and Esc closing.
set -uo pipefail
. "$(dirname "$0")/window.sh"

tolvane_check "drive D: is mapped as a fixed disk" window_map_drive D hd Data
tolvane_check "the server restarts" tolvane_restart_server
tolvane_check "the window appears" window_start

# The focus, with the closed combo box's height (the font's) left out.
focus() { window_spy focus | sed 's/^\(ComboBox 88 331 128\) [0-9]*$/\1/'; }
takers=$(printf '%s\n' "Button 254 382 112 32" "Button 556 8 24 24" "Button 584 8 24 24" "ComboBox 88 331 128")
tolvane_check "at the start no control has the focus" tolvane_equal "TolvaneForm 0 0 617 428" "$(focus)"
focus_is() { tolvane_equal "$1" "$(focus)"; }
state_is() { tolvane_equal "$1" "$(window_spy state)"; }
# focus_left FROM: the focus is no longer on FROM; prints where it is.
focus_left() { local now; now=$(focus) && [ "$now" != "$1" ] && echo "$now"; }
visited=()
for tab in 1 2 3 4 5; do
  tolvane_check "Tab $tab moves the focus" \
    eval 'from=$(focus) && tolvane_key Tab && to=$(wait_for 2 focus_left "$from") && visited+=("$to")'
done
tolvane_check "four Tabs visit each of the four controls that take the focus once" \
  tolvane_equal "$takers" "$(printf '%s\n' "${visited[@]:0:4}" | sort)"
tolvane_check "the fifth comes back to the first" tolvane_equal "${visited[0]}" "${visited[4]}"
tolvane_check "Shift+Tab goes back" eval 'tolvane_key shift+Tab && wait_for 2 focus_is "${visited[3]}"'
tolvane_check "Enter neither moves the focus" eval 'tolvane_key Return && sleep 0.3 && focus_is "${visited[3]}"'
tolvane_check "nor clicks the focused button" state_is "1 0 651 326 617 428"

# Drags: from where, by how much, and whether the window follows. The moves
# add up to nothing, so the window ends where it started.
placed_at() { tolvane_equal "$1 $2 617 428" "$(tolvane_window_geometry "$WINDOW")"; }
x=651 y=326
for drag in "banner 300 100 -120 -80 yes" "panel 300 420 100 60 yes" "caption 40 340 -40 30 yes" \
            "folder_label 400 340 90 -10 yes" "frame 616 200 -30 0 yes" \
            "install_button 310 398 0 -60 no" "close_button 596 20 -50 40 no"; do
  read -r from fx fy dx dy moves <<<"$drag"
  tolvane_check "a drag from the $from by $dx, $dy" eval 'read -r sx sy < <(window_point "$fx" "$fy") &&
    tolvane_drag "$sx" "$sy" $((sx + dx)) $((sy + dy)) && sleep 0.2'
  [ "$moves" = yes ] && x=$((x + dx)) y=$((y + dy))
  tolvane_check "leaves the window at $x, $y" wait_for 2 placed_at "$x" "$y"
done
tolvane_check "the drags off the buttons clicked nothing" eval '
  [ ! -e "$WINDOW_DRIVES/D/tolv" ] && window_spy children TolvaneLabel | grep -x "1 363 615 3 0 "'

# The drive selector: a press drops its list down instead of moving the window.
dropped_list() { xdotool search --onlyvisible --class tolvanesetup.exe | grep -vx "$WINDOW"; }
list_closed() { ! dropped_list >/dev/null; }
tolvane_check "a drag from the drive selector" eval 'read -r sx sy < <(window_point 150 341) &&
  tolvane_drag "$sx" "$sy" $((sx + 40)) $((sy - 60)) && sleep 0.2'
tolvane_check "does not move the window" placed_at "$x" "$y"
tolvane_check "a click on the drive selector closes its list" \
  eval 'wait_for 1 dropped_list && tolvane_click $(window_point 150 341) && wait_for 2 list_closed'
tolvane_check "with D: still chosen" tolvane_equal 'D:\tolv' "$(window_caption 232 320)"

# Minimise and restore, with the focus on a super button, which looks as
# without it. The pointer stays off the window.
# tab_to CONTROL: press Tab until CONTROL (as focus prints it) has the focus.
tab_to() {
  local tab from
  for tab in 1 2 3 4; do
    from=$(focus)
    [ "$from" = "$1" ] && return 0
    tolvane_key Tab && wait_for 2 focus_left "$from" >/dev/null
  done
  focus_is "$1"
}
tolvane_check "the minimise button takes the focus" tab_to "Button 556 8 24 24"
tolvane_check "the window is photographed" eval 'tolvane_mouse_move 0 0 && before=$(window_steady before)'
tolvane_check "a click on the minimise button" eval 'tolvane_click $(window_point 568 20) && tolvane_mouse_move 0 0'
minimised() { window_spy state | grep -q '^1 1 '; }
tolvane_check "minimises the window" wait_for 2 minimised
gone() { tolvane_shot "$TOLVANE_OUTPUT/minimised.png" && assert_box "$TOLVANE_OUTPUT/minimised.png" "$x" "$y" 617 428 0 0 0; }
tolvane_check "nothing of it is left on the screen where it was" wait_for 2 gone
tolvane_check "restored, as from its taskbar button" eval 'window_spy restore &&
  wait_for 2 state_is "1 0 $x $y 617 428"'
tolvane_check "it looks exactly as before" eval 'after=$(window_steady after) && same_pixels "$before" "$after"'

# Keys for the window reach it whichever control has the focus.
tolvane_check "the drive selector takes the focus" eval 'tolvane_click $(window_point 150 341) &&
  tolvane_click $(window_point 150 341) && wait_for 2 list_closed && focus_is "ComboBox 88 331 128"'
tolvane_check "Shift+Esc does not close the window" eval 'tolvane_key shift+Escape && still_running 0.5'
tolvane_check "Esc closes it" eval 'tolvane_key Escape && tolvane_wait_exit "$WINDOW_PID" 5'
tolvane_check "with exit code 0" tolvane_equal 0 "$TOLVANE_EXIT"
