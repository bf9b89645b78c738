#!/usr/bin/env bash
# Closing the window while the payload is being unpacked, by the close button
# and by Esc, at many moments of the run: the installer always ends at once
# with exit code 0, shows no box (neither the fatal stop's nor the install
# error's), starts nothing and writes no shortcut.
set -uo pipefail
. "$(dirname "$0")/common.sh"

# 1500 small entries, then the program: a few seconds of reports, which the
# closes below all interrupt.
(cd "$PAYLOAD_SRC" && for i in $(seq -w 1 1500); do printf 'entry %s\n' "$i" >"f$i.txt"; done)
cp "$TOLVANE_BUILD/tolvane-probe.exe" "$PAYLOAD_SRC/Tolvane.exe"
tolvane_check "a slow payload" eval 'make_payload "$SETUP_DIR/qzr.dat" $(cd "$PAYLOAD_SRC" && ls f*.txt) Tolvane.exe'
tolvane_check "drive D: is mapped" map_drives

# Delays after the click from 0 to 1.15 s in steps of 0.05 s, in a scattered order.
for run in $(seq 0 23); do
  delay=$(awk -v n=$((run * 7 % 24 * 5)) 'BEGIN { printf "%.2f", n / 100 }')
  if ((run % 2)); then how=Esc; else how="close button"; fi
  what="run $run, $how after ${delay}s"
  rm -rf "$INSTALL_DIR"
  tolvane_check "$what: the installer shows its window" start_installer
  click_install
  sleep "$delay"
  if ((run % 2)); then tolvane_key Escape; else click_at 596 20; fi
  if ! tolvane_wait_exit "$INSTALLER_PID" 10 >/dev/null; then
    for title in 运行时错误 Tolvane安装程序; do
      box=$(tolvane_find_msgbox "$title" 0 2>/dev/null) && tolvane_fail "$what: a box titled $title: $(tolvane_msgbox_text "$box")"
    done
    tolvane_fail "$what: the installer did not end"
  fi
  tolvane_check "$what: exit code 0" tolvane_equal 0 "$TOLVANE_EXIT"
  tolvane_check "$what: the run was under way" test -d "$INSTALL_DIR"
  tolvane_check "$what: it had not ended" test ! -e "$INSTALL_DIR/Tolvane.exe.start.txt"
  tolvane_check "$what: no shortcut" test ! -e "$DESKTOP_LINK"
done
