#!/usr/bin/env bash
# Installs that fail are reported as failures: an error box owned by the
# installer window names what failed; nothing is started, no shortcut is
# written, and the window is idle again (bar hidden, install folder shown).
# Once the cause is gone, a second click in the same window installs.
set -uo pipefail
. "$(dirname "$0")/common.sh"

TITLE="Tolvane安装程序"
DRIVE_E=$INSTALL_SCRATCH/e   # made only when its case fixes it: a drive without a medium

cp "$TOLVANE_BUILD/tolvane-probe.exe" "$PAYLOAD_SRC/Tolvane.exe"
head -c 300000 /dev/urandom | base64 >"$PAYLOAD_SRC/data.bin"
GOOD=$INSTALL_SCRATCH/good.dat
tolvane_check "a good payload" make_payload "$GOOD" Tolvane.exe data.bin
# The same payload with one byte of data.bin's compressed data changed.
corrupt() {
  cp "$GOOD" "$1" && python3 - "$1" <<'PY'
import sys, zipfile
path = sys.argv[1]
info = zipfile.ZipFile(path).getinfo("data.bin")
with open(path, "r+b") as f:
    f.seek(info.header_offset + 26)
    name_length, extra_length = int.from_bytes(f.read(2), "little"), int.from_bytes(f.read(2), "little")
    at = info.header_offset + 30 + name_length + extra_length + info.compress_size // 2
    f.seek(at)
    byte = f.read(1)[0]
    f.seek(at)
    f.write(bytes([byte ^ 0x55]))
PY
}
tolvane_check "drives D: and E: (E: without its folder) are mapped" map_drives "E=$INSTALL_SCRATCH:hd"
# E: now leads to a folder that is not there yet.
ln -sfn "$DRIVE_E" "$WINEPREFIX/dosdevices/e:"

# Cases: name | what is done before the click | the reason in the box | the fix | the drive
cases=$(cat <<'CASES'
missing payload|rm -f "$SETUP_DIR/qzr.dat"|找不到安装包：D:\setup\qzr.dat|cp "$GOOD" "$SETUP_DIR/qzr.dat"|D
truncated payload|head -c $(($(stat -c %s "$GOOD") / 2)) "$GOOD" >"$SETUP_DIR/qzr.dat"|安装包已损坏：D:\setup\qzr.dat|cp "$GOOD" "$SETUP_DIR/qzr.dat"|D
corrupt entry|corrupt "$SETUP_DIR/qzr.dat"|文件数据已损坏：D:\tolv\data.bin|cp "$GOOD" "$SETUP_DIR/qzr.dat"|D
file that cannot be written|cp "$GOOD" "$SETUP_DIR/qzr.dat" && mkdir -p "$INSTALL_DIR/data.bin"|无法写入文件：D:\tolv\data.bin|rmdir "$INSTALL_DIR/data.bin"|D
folder that cannot be made|cp "$GOOD" "$SETUP_DIR/qzr.dat"|无法创建文件夹：E:\tolv|mkdir "$DRIVE_E"|E
CASES
)

while IFS='|' read -r name prepare reason fix drive; do
  echo "--- $name"
  rm -rf "$INSTALL_DIR"
  folder="$drive:\\tolv" unix_folder=$INSTALL_DIR
  [ "$drive" = E ] && unix_folder=$DRIVE_E/tolv
  tolvane_check "$name: prepared" eval "$prepare"
  tolvane_check "$name: the installer shows its window" start_installer
  if [ "$drive" = E ]; then
    # The drop-down list: C:, D:, E:, Z:, 16 pixels apart.
    tolvane_check "$name: drive E: is chosen" eval 'click_at 150 341 && sleep 0.3 && click_at 150 392'
    tolvane_check "$name: the status label follows" tolvane_equal "$folder" "$(status_text)"
  fi
  tolvane_check "$name: click 立即安装" click_install
  tolvane_check "$name: the error box appears" eval 'box=$(tolvane_find_msgbox "$TITLE" 10)'
  tolvane_check "$name: it names what failed" \
    tolvane_equal "$(printf '安装失败。\n\n%s\n\n请检查后重试，或选择其他驱动器。' "$reason")" "$(tolvane_msgbox_text "$box")"
  tolvane_check "$name: it belongs to the installer window" \
    eval 'tolvane_winspy owner "$TITLE" && tolvane_equal TolvaneForm "$(cat "$TOLVANE_OUTPUT/winspy.out")"'
  tolvane_check "$name: the box is dismissed" tolvane_dismiss_msgbox "$box"
  tolvane_check "$name: idle again: the bar is hidden" eval '[[ $(bar_state) == 0\ * ]]'
  tolvane_check "$name: idle again: the install folder is shown" tolvane_equal "$folder" "$(status_text)"
  shot=$TOLVANE_OUTPUT/idle-${name// /-}.png
  tolvane_check "$name: the bar's row is white on the screen" eval 'tolvane_shot "$shot" && row_is_white "$shot"'
  tolvane_check "$name: nothing was started" test ! -e "$unix_folder/Tolvane.exe.start.txt"
  tolvane_check "$name: no shortcut was written" test ! -e "$DESKTOP_LINK"
  tolvane_check "$name: the installer still runs" eval 'ps -o stat= -p "$INSTALLER_PID" | grep -qv Z'

  tolvane_check "$name: fixed" eval "$fix"
  tolvane_check "$name: click 立即安装 again" click_install
  tolvane_check "$name: the installer ends" tolvane_wait_exit "$INSTALLER_PID" 15
  tolvane_check "$name: with exit code 0" tolvane_equal 0 "$TOLVANE_EXIT"
  tolvane_check "$name: the files are there" cmp "$PAYLOAD_SRC/data.bin" "$unix_folder/data.bin"
  tolvane_check "$name: the program was started" wait_for_file "$unix_folder/Tolvane.exe.start.txt" 5
  tolvane_check "$name: the shortcut points to it" \
    tolvane_equal "$folder\\Tolvane.exe" "$(lnk_field "$DESKTOP_LINK" 'Local path')"
  tolvane_check "$name: the started program is closed" stop_probe
done <<<"$cases"
