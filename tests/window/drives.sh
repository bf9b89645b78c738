#!/usr/bin/env bash
# The drive selector against drives of every kind, mapped for this script:
# its items and their order, the drive it selects when started from D:, and
# the install folder following a choice made with the mouse or the keyboard.
# Esc closes the window also while the drive list is dropped down.
set -uo pipefail
. "$(dirname "$0")/window.sh"

for drive in "D hd Data" "E cdrom" "F floppy" "G hd" "N network"; do
  tolvane_check "drive $drive is mapped" window_map_drive $drive
done
tolvane_check "the server restarts" tolvane_restart_server
tolvane_check "the window appears" window_start

# The items of the mapped drives, exactly; every drive in the order Windows lists them.
tolvane_check "the drive list is read" eval 'items=$(window_spy items)'
tolvane_check "the items follow GetLogicalDriveStringsA, one per drive" tolvane_equal \
  "$(tolvane_drives | cut -c1-2)" "$(grep -v '^selected ' <<<"$items" | cut -c1-2)"
for item in "D: （硬盘） Data" "E: （光驱）" "F:" "G: （硬盘）" "N: （网络驱动器）"; do
  tolvane_check "the item \"$item\" is listed" grep -qxF "$item" <<<"$items"
done
tolvane_check "started from D:, its item is selected" \
  tolvane_equal "selected $(grep -nxF "D: （硬盘） Data" <<<"$items" | cut -d: -f1 | awk '{ print $1 - 1 }')" \
  "$(tail -n 1 <<<"$items")"
tolvane_check "and the install folder reads D:\\tolv" tolvane_equal 'D:\tolv' "$(window_caption 232 320)"
tolvane_check "the window is photographed" eval 'before=$(window_steady before)'

# The dropped-down list: an X window of the installer's besides the window itself.
dropped_list() { xdotool search --onlyvisible --class tolvanesetup.exe | grep -vx "$WINDOW"; }

# C:, the first item, chosen with the mouse in the dropped-down list (its own
# X window below the combo box, one row per item).
tolvane_check "a click on the drive selector drops its list down" \
  eval 'tolvane_click $(window_point 150 341) && list=$(wait_for 2 dropped_list)'
tolvane_check "a click on the item C:" eval '
  read -r lx ly lw lh < <(tolvane_window_geometry "$list") &&
  tolvane_click $((lx + 40)) $((ly + 1 + (lh - 2) / $(grep -vc "^selected " <<<"$items") / 2))'
selected() { tolvane_equal "selected $1" "$(window_spy items | tail -n 1)"; }
tolvane_check "selects C:" wait_for 2 selected 0
tolvane_check "and the install folder reads C:\\tolv at once" tolvane_equal 'C:\tolv' "$(window_caption 232 320)"
folder_redrawn() {
  after=$(window_shot after) && convert "$after" -crop 368x40+232+320 +repage "$TOLVANE_OUTPUT/folder-after.png" &&
    ! same_pixels "$TOLVANE_OUTPUT/folder-before.png" "$TOLVANE_OUTPUT/folder-after.png" 2>/dev/null
}
tolvane_check "the label shows the new folder" eval 'convert "$before" -crop 368x40+232+320 +repage \
  "$TOLVANE_OUTPUT/folder-before.png" && wait_for 2 folder_redrawn && assert_grey_text "$after" 232 320 368 40 128 5'

# The keyboard, with the focus on the drive selector after the click.
last=$(($(grep -vc '^selected ' <<<"$items") - 1))
for case in "End $last Z" "Home 0 C" "Down 1 D"; do
  read -r key index letter <<<"$case"
  tolvane_check "$key selects item $index" eval 'tolvane_key "$key" && wait_for 2 selected "$index"'
  tolvane_check "and the install folder reads $letter:\\tolv" tolvane_equal "$letter:\\tolv" "$(window_caption 232 320)"
done

tolvane_check "the list is dropped down again" \
  eval 'tolvane_click $(window_point 150 341) && wait_for 2 dropped_list'
tolvane_check "Esc closes the window also then" eval 'tolvane_key Escape && tolvane_wait_exit "$WINDOW_PID" 5'
tolvane_check "with exit code 0" tolvane_equal 0 "$TOLVANE_EXIT"
tolvane_check "the drives are removed again" window_restore_drives
tolvane_check "and Windows no longer sees them" eval '! tolvane_drives | grep -E "^[DEFGN]:"'
