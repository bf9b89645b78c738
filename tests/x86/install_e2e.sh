#!/usr/bin/env bash
# One whole install by the shipped 32-bit installer, driven with the mouse: the
# installer and its payload in D:\setup, a click on 立即安装, then the payload
# in D:\tolv with its contents and times, the installed program started from
# the installer's folder with a normal window, the desktop shortcut to it, and
# exit code 0. Wine reads drives when its server starts, so the server is
# restarted to map D: and again to remove it: run it alone. Everything runs
# emulated; a window program takes several seconds to start.
set -uo pipefail
[ -n "${TOLVANE_X86_ROOT:-}" ] || { echo "runs only in the 32-bit suite: tests/harness/run-x86.sh" >&2; exit 1; }
. "$(dirname "$0")/../harness/lib.sh"

payload=$TOLVANE_OUTPUT/payload drive=$TOLVANE_OUTPUT/drive-d
link=$HOME/Desktop/Tolvane.lnk
rm -rf "$payload" "$drive" "$link"
mkdir -p "$payload/docs" "$drive/setup"
cp "$TOLVANE_BUILD/tolvane-probe.exe" "$payload/Tolvane.exe"
printf 'Tolvane 1.0\r\n' >"$payload/docs/readme.txt"
# An odd second: only the archive's Unix time gives it (a DOS time has 2 s steps).
touch -d @1614834367 "$payload/docs/readme.txt"
head -c 150000 /dev/urandom | base64 >"$payload/data.bin"
files=(Tolvane.exe docs/readme.txt data.bin)
(cd "$payload" && zip -q "$drive/setup/qzr.dat" docs/ "${files[@]}") || tolvane_fail "zip"
cp "$TOLVANE_BUILD/TolvaneSetup.exe" "$drive/setup/"

# Later tests must not see D:, also after a failure; the restart also ends the installed program.
trap 'tolvane_unmap_drive D; tolvane_restart_server; tolvane_cleanup' EXIT
tolvane_check "drive D: is mapped" tolvane_map_drive D "$drive" hd
tolvane_check "the server restarts" tolvane_restart_server

# Earlier tests may have left the pointer anywhere, over the button too.
tolvane_mouse_move 0 0
start=$SECONDS
tolvane_start "$drive/setup/TolvaneSetup.exe"
tolvane_check "the installer's window appears" eval 'window=$(tolvane_find_window tolvanesetup.exe 120)'
echo "     window after $((SECONDS - start)) s"
read -r x y _ < <(tolvane_window_geometry "$window")
tolvane_check "it is centred on the screen" tolvane_equal "651 326 617 428" "$(tolvane_window_geometry "$window")"
# Under emulation the window is painted a few seconds after it appears: click
# once the button shows its normal face, then its hot face under the pointer.
shot=$TOLVANE_OUTPUT/before.png
button_face() {  # R G B: wait up to 30 s for the button's face colour
  for _ in $(seq 60); do
    tolvane_shot "$shot" && [ "$(tolvane_pixel "$shot" $((x + 265)) $((y + 390)))" = "$*" ] && return 0
    sleep 0.5
  done
  return 1
}
tolvane_check "立即安装 is drawn" button_face 128 224 0
echo "     drawn after $((SECONDS - start)) s"
tolvane_check "the pointer moves onto it" tolvane_mouse_move $((x + 310)) $((y + 398))
tolvane_check "it lights up" button_face 0 224 128
tolvane_check "立即安装 is clicked" tolvane_click $((x + 310)) $((y + 398))
tolvane_check "the installer ends" tolvane_wait_exit "$TOLVANE_PID" 120
echo "     ended after $((SECONDS - start)) s"
tolvane_check "with exit code 0" tolvane_equal 0 "$TOLVANE_EXIT"

for file in "${files[@]}"; do
  tolvane_check "D:\\tolv\\${file//\//\\} has its content" cmp "$payload/$file" "$drive/tolv/$file"
  tolvane_check "and its time" tolvane_equal "$(stat -c %Y "$payload/$file")" "$(stat -c %Y "$drive/tolv/$file")"
done

# The installer waits at most 1 s for the program it starts: under emulation
# the program's record may come after the installer has ended.
record=$drive/tolv/Tolvane.exe.start.txt
for _ in $(seq 600); do [ -f "$record" ] && break; sleep 0.1; done
tolvane_check "the installed program was started" test -f "$record"
tolvane_check "from the installer's folder, by its path, with a normal window" tolvane_equal \
  "$(printf 'cwd=D:\\setup\ncmdline=D:\\tolv\\Tolvane.exe\nshow=1\nflags=1')" "$(head -n 4 "$record")"
tolvane_check "nothing else is in D:\\tolv" tolvane_equal \
  "$(printf '%s\n' . ./docs "${files[@]/#/./}" ./Tolvane.exe.start.txt | LC_ALL=C sort)" \
  "$(cd "$drive/tolv" && find . | LC_ALL=C sort)"

tolvane_check "the desktop shortcut is written" test -f "$link"
info=$(lnkinfo -c windows-936 "$link")
tolvane_check "it points to D:\\tolv\\Tolvane.exe" tolvane_equal 'D:\tolv\Tolvane.exe' \
  "$(sed -n 's/^\tLocal path\t*: //p' <<<"$info")"
tolvane_check "its description is Corvessa" tolvane_equal Corvessa "$(sed -n 's/^\tDescription\t*: //p' <<<"$info")"
