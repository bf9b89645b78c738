#!/usr/bin/env bash
# The test helpers against a real Windows program: tolvane-winspy shows a blue
# panel and a message box with a Chinese text, which is found, photographed,
# read and answered, from inside Wine and then by a key; its exit code comes
# back. Then drives mapped by the helpers are seen by Windows programs with
# their types and labels.
set -uo pipefail
. "$(dirname "$0")/../harness/lib.sh"

title="Tolvane 自检"
text="安装失败：找不到文件 qzr.dat"
tolvane_start "$TOLVANE_BUILD/tolvane-winspy.exe" show "$title" "$text" -1
pid=$TOLVANE_PID

tolvane_check "the message box appears" eval 'box=$(tolvane_find_msgbox "$title")'
tolvane_check "the panel is found by its title" eval 'panel=$(tolvane_find_window "winspy panel")'
tolvane_check "the panel lies where the program put it" \
  tolvane_equal "100 100 160 90" "$(tolvane_window_geometry "$panel")"
tolvane_check "a window is found by its exe name too" tolvane_find_window tolvane-winspy.exe 1
shot=$TOLVANE_OUTPUT/shown.png
tolvane_check "screenshot" tolvane_shot "$shot"
tolvane_check "the panel's colour is exact on the screenshot" tolvane_assert_pixel "$shot" 150 150 0 136 255
tolvane_check "outside the panel the screen is black" tolvane_equal "0 0 0" "$(tolvane_pixel "$shot" 99 150)"
tolvane_check "the message box's Chinese text is read back" tolvane_equal "$text" "$(tolvane_msgbox_text "$box")"
tolvane_check "the message box is dismissed" tolvane_dismiss_msgbox "$box"
tolvane_check "the program ends" tolvane_wait_exit "$pid" 5
tolvane_check "exit code -1 arrives as its low byte, 255" tolvane_equal 255 "$TOLVANE_EXIT"

tolvane_start "$TOLVANE_BUILD/tolvane-winspy.exe" show "$title" "$text" 7
tolvane_check "a second box appears" tolvane_find_msgbox "$title"
tolvane_check "Enter answers it" tolvane_key Return
tolvane_check "and the program ends with exit code 7" tolvane_wait_exit "$TOLVANE_PID" 5
tolvane_check "exit code 7" tolvane_equal 7 "$TOLVANE_EXIT"

drives=$(mktemp -d)
mkdir "$drives/q" "$drives/r"
# Later tests in the same session must not see these drives, also after a failure.
unmap_all() { tolvane_unmap_drive Q && tolvane_unmap_drive R && tolvane_restart_server; }
trap '[ -e "$WINEPREFIX/dosdevices/q:" ] && unmap_all; rm -rf "$drives"; tolvane_cleanup' EXIT
tolvane_check "drive Q: is mapped as a fixed disk labelled Data" tolvane_map_drive Q "$drives/q" hd Data
tolvane_check "drive R: is mapped as a CD drive" tolvane_map_drive r "$drives/r" cdrom
tolvane_check "the server restarts" tolvane_restart_server
tolvane_check "Windows sees Q: as fixed (3) with its label, R: as CD (5)" \
  eval 'tolvane_drives | grep -x "Q: 3 Data" && tolvane_drives | grep -x "R: 5"'
tolvane_check "both drives are removed again" unmap_all
tolvane_check "and Windows no longer sees them" eval 'tolvane_drives >"$TOLVANE_OUTPUT/drives.txt" && ! grep -E "^[QR]:" "$TOLVANE_OUTPUT/drives.txt"'
