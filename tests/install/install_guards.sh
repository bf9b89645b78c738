#!/usr/bin/env bash
# One install folder per run, one run at a time: a drive chosen during a run
# and a second click of 立即安装 during a run change nothing of that run, and
# start no second one.
set -uo pipefail
. "$(dirname "$0")/common.sh"

DRIVE_E=$INSTALL_SCRATCH/e
mkdir -p "$DRIVE_E"
# 1500 small entries, then the program: a few seconds of reports.
(cd "$PAYLOAD_SRC" && for i in $(seq -w 1 1500); do printf 'entry %s\n' "$i" >"f$i.txt"; done)
cp "$TOLVANE_BUILD/tolvane-probe.exe" "$PAYLOAD_SRC/Tolvane.exe"
tolvane_check "a slow payload" eval 'make_payload "$SETUP_DIR/qzr.dat" $(cd "$PAYLOAD_SRC" && ls f*.txt) Tolvane.exe'
tolvane_check "drives D: and E: are mapped" map_drives "E=$DRIVE_E:hd"
# The drive selector as painted (its text is not readable from outside).
combo_shot() { tolvane_shot "$TOLVANE_OUTPUT/screen.png" && convert "$TOLVANE_OUTPUT/screen.png" -crop "128x20+$((WX + 88))+$((WY + 331))" +repage "$1"; }
same_picture() { [ "$(compare -metric AE "$1" "$2" null: 2>&1)" = 0 ]; }
# choose_drive N: pick the Nth drive of the drop-down list (C:, D:, E:, Z:, 16 pixels apart).
choose_drive() { click_at 150 341 && sleep 0.3 && click_at 150 $((360 + 16 * $1)) && sleep 0.2; }
probe_windows() { xdotool search --onlyvisible --name '^Tolvane probe$' 2>/dev/null | wc -l; }

# Drive E: is chosen during the run, then 立即安装 is clicked again.
tolvane_check "the installer shows its window" start_installer
tolvane_check "drive E: is chosen" choose_drive 2
tolvane_check "the install folder follows" tolvane_equal 'E:\tolv' "$(status_text)"
tolvane_check "the drive selector showing E:" combo_shot "$TOLVANE_OUTPUT/combo-e.png"
tolvane_check "drive D: is chosen again" choose_drive 1
tolvane_check "the install folder follows" tolvane_equal 'D:\tolv' "$(status_text)"
tolvane_check "click 立即安装" click_install
tolvane_check "the run is under way" eval '[[ $(bar_state) == 1\ * ]]'
tolvane_check "drive E: is chosen during the run" choose_drive 2
tolvane_check "the drive selector shows E:" \
  eval 'combo_shot "$TOLVANE_OUTPUT/combo-run.png" && same_picture "$TOLVANE_OUTPUT/combo-e.png" "$TOLVANE_OUTPUT/combo-run.png"'
tolvane_check "click 立即安装 again during the run" click_install
tolvane_check "the run has not ended yet" test ! -e "$INSTALL_DIR/Tolvane.exe.start.txt"
tolvane_check "the installer ends" tolvane_wait_exit "$INSTALLER_PID" 20
tolvane_check "with exit code 0" tolvane_equal 0 "$TOLVANE_EXIT"
tolvane_check "the payload is in D:\\tolv" cmp "$PAYLOAD_SRC/Tolvane.exe" "$INSTALL_DIR/Tolvane.exe"
tolvane_check "every entry of it" test "$(ls "$INSTALL_DIR" | grep -c '^f')" -eq 1500
tolvane_check "nothing was made on E:" test ! -e "$DRIVE_E/tolv"
tolvane_check "the program of D:\\tolv was started" \
  tolvane_equal 'D:\tolv\Tolvane.exe' "$(probe_field "$INSTALL_DIR/Tolvane.exe.start.txt" cmdline)"
tolvane_check "the shortcut points to D:\\tolv" tolvane_equal 'D:\tolv\Tolvane.exe' "$(lnk_field "$DESKTOP_LINK" 'Local path')"
tolvane_check "one program runs" tolvane_equal 1 "$(probe_windows)"
tolvane_check "the started program is closed" stop_probe

# A double click: one run, one started program.
rm -rf "$INSTALL_DIR"
tolvane_check "the installer starts again" start_installer
tolvane_check "double click on 立即安装" xdotool mousemove $((WX + 310)) $((WY + 398)) click --repeat 2 --delay 80 1
tolvane_check "the installer ends" tolvane_wait_exit "$INSTALLER_PID" 20
tolvane_check "with exit code 0" tolvane_equal 0 "$TOLVANE_EXIT"
tolvane_check "the payload is in D:\\tolv" cmp "$PAYLOAD_SRC/Tolvane.exe" "$INSTALL_DIR/Tolvane.exe"
tolvane_check "the program was started" wait_for_file "$INSTALL_DIR/Tolvane.exe.start.txt" 5
sleep 0.5
tolvane_check "once" tolvane_equal 1 "$(probe_windows)"
tolvane_check "the started program is closed" stop_probe
