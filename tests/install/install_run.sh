#!/usr/bin/env bash
# A whole install of a payload of three entries whose Tolvane.exe is the probe:
# the bar and the status label at every report (held by tolvane-barwatch so
# that each state can be photographed, even the last two, which come less than
# a millisecond apart), the bar's colours at full width, the unpacked files
# with their contents and times, the started program, the desktop shortcut and
# the exit code. Then a second install into the folder that the first one made,
# over a read-only file.
set -uo pipefail
. "$(dirname "$0")/common.sh"

winpath() { printf 'Z:%s' "${1//\//\\}"; }

cp "$TOLVANE_BUILD/tolvane-probe.exe" "$PAYLOAD_SRC/Tolvane.exe"
printf '说明文字\r\n' >"$PAYLOAD_SRC/说明.txt"
head -c 1000000 /dev/urandom >"$PAYLOAD_SRC/data.bin"
touch -d '2001-02-03 04:05:06' "$PAYLOAD_SRC/说明.txt"
touch -d '2010-11-12 13:14:16' "$PAYLOAD_SRC/Tolvane.exe"
touch -d '2019-12-31 23:59:58' "$PAYLOAD_SRC/data.bin"
tolvane_check "payload of three entries" make_payload "$SETUP_DIR/qzr.dat" 说明.txt Tolvane.exe data.bin
tolvane_check "drive D: is mapped" map_drives

tolvane_check "the installer shows its window" start_installer
tolvane_check "idle: the status label shows the install folder" tolvane_equal 'D:\tolv' "$(status_text)"
tolvane_check "idle: the bar is hidden" tolvane_equal "0 615" "$(bar_state)"

watch=$TOLVANE_OUTPUT/barwatch.txt hold=$TOLVANE_OUTPUT/hold
rm -rf "$watch" "$hold" && mkdir -p "$hold"
tolvane_start "$TOLVANE_BUILD/tolvane-barwatch.exe" "$(winpath "$watch")" "$(winpath "$hold")"
watcher=$TOLVANE_PID
tolvane_check "the watcher has found the bar" wait_for_file "$watch" 10
tolvane_check "click 立即安装" click_install

# Each held state is photographed, then let go. While the second is held, the
# UI thread has nothing to do but wait for the unpacking thread: it must block.
cpu_ticks() { awk '{ print $14 + $15 }' "/proc/$INSTALLER_PID/stat"; }
holds=0 idle_ticks=
while :; do
  n=$((holds + 1))
  until [ -e "$hold/held-$n" ] || grep -qx end "$watch" 2>/dev/null; do sleep 0.02; done
  [ -e "$hold/held-$n" ] || break
  tolvane_shot "$hold/shot-$n.png" || tolvane_fail "screenshot of hold $n"
  if [ "$n" = 2 ]; then
    before=$(cpu_ticks) && sleep 1 && idle_ticks=$(($(cpu_ticks) - before))
  fi
  touch "$hold/go-$n"
  holds=$n
  [ "$holds" -lt 20 ] || tolvane_fail "more holds than reports"
done
tolvane_check "the waiting installer used under 0.2 s of processor time in 1 s" \
  eval '[ -n "$idle_ticks" ] && [ "$idle_ticks" -lt $(($(getconf CLK_TCK) / 5)) ]'
echo "     ($idle_ticks ticks)"
tolvane_check "the watcher ends with the window" tolvane_wait_exit "$watcher" 10
tolvane_check "the installer ends" tolvane_wait_exit "$INSTALLER_PID" 10
tolvane_check "with exit code 0" tolvane_equal 0 "$TOLVANE_EXIT"

# "hold N WIDTH VISIBLE CAPTION" lines in UTF-8.
held=$(iconv -f GBK -t UTF-8 "$watch" | grep '^hold ')
echo "$held"
held_widths=$(awk '{ print $3 }' <<<"$held" | uniq | paste -sd " ")
tolvane_check "the bar is held at each report's width: 0, 33, 66, 100 percent" tolvane_equal "0 202 405 615" "$held_widths"
tolvane_check "the bar is shown at every report" tolvane_equal "" "$(awk '$4 != 1' <<<"$held")"
# Every caption shown with the bar, after the install folder (which the
# first report may replace before the watcher sees it).
# "seen WIDTH VISIBLE CAPTION" and "hold N WIDTH VISIBLE CAPTION" lines.
captions=$(iconv -f GBK -t UTF-8 "$watch" |
           awk '$1 == "seen" && $3 == 1 { $1 = $2 = $3 = ""; sub(/^ +/, ""); print }
                $1 == "hold" && $4 == 1 { $1 = $2 = $3 = $4 = ""; sub(/^ +/, ""); print }' |
           grep -vx 'D:\\tolv' | uniq | paste -sd " ")
tolvane_check "the status label names each entry in turn" \
  tolvane_equal 'D:\tolv\说明.txt D:\tolv\Tolvane.exe D:\tolv\data.bin' "$captions"
tolvane_check "and keeps the third's at full width" \
  tolvane_equal 'D:\tolv\data.bin' "$(awk '$3 == 615 { $1 = $2 = $3 = $4 = ""; sub(/^ +/, ""); print }' <<<"$held" | tail -n 1)"

# Each held state as painted: the bar's columns up to its width, white after.
y=$((WY + 363))
while read -r _ n width _; do
  shot=$hold/shot-$n.png
  if [ "$width" -eq 0 ]; then
    tolvane_check "hold $n: an empty bar leaves its row white" row_is_white "$shot"
  else
    tolvane_check "hold $n: the bar's last column ($width) is painted" \
      eval '[ "$(tolvane_pixel "$shot" $((WX + width)) $y)" != "255 255 255" ]'
    [ "$width" -lt 615 ] && tolvane_check "hold $n: the column after the bar is white" \
      tolvane_equal "255 255 255" "$(tolvane_pixel "$shot" $((WX + 1 + width)) $y)"
  fi
done <<<"$held"

full=$hold/shot-$(awk '$3 == 615 { print $2 }' <<<"$held" | head -n 1).png
gradient() {
  local column colour
  while read -r column colour; do
    tolvane_assert_pixel "$full" $((WX + 1 + column)) "$y" $colour
    tolvane_assert_pixel "$full" $((WX + 1 + column)) $((y + 2)) $colour
  done <<'COLUMNS'
0 100 208 255
153 113 215 128
306 127 223 1
307 128 224 0
460 65 239 127
613 1 254 254
614 0 255 255
COLUMNS
}
tolvane_check "the full bar's gradient columns" gradient

files_match() {
  local name
  for name in 说明.txt Tolvane.exe data.bin; do
    cmp "$PAYLOAD_SRC/$name" "$INSTALL_DIR/$name" || return 1
    tolvane_equal "$(stat -c %Y "$PAYLOAD_SRC/$name")" "$(stat -c %Y "$INSTALL_DIR/$name")" || return 1
  done
}
tolvane_check "the three files are there with the payload's contents and times" files_match

record=$INSTALL_DIR/Tolvane.exe.start.txt
tolvane_check "the program was started" wait_for_file "$record" 5
tolvane_check "from the installer's own folder" tolvane_equal 'D:\setup' "$(probe_field "$record" cwd)"
tolvane_check "by the installed file" tolvane_equal 'D:\tolv\Tolvane.exe' "$(probe_field "$record" cmdline)"
tolvane_check "with a normal window (show 1)" tolvane_equal 1 "$(probe_field "$record" show)"
tolvane_check "and STARTF_USESHOWWINDOW" eval '(( $(probe_field "$record" flags) & 1 ))'
tolvane_check "the shortcut points to the installed program" \
  tolvane_equal 'D:\tolv\Tolvane.exe' "$(lnk_field "$DESKTOP_LINK" 'Local path')"
tolvane_check "with the description Corvessa" tolvane_equal Corvessa "$(lnk_field "$DESKTOP_LINK" Description)"
tolvane_check "the started program is closed" stop_probe

# Again, into the folder made above: its files are replaced, a read-only one
# too, and a file that the payload does not have stays.
printf 'old\n' >"$INSTALL_DIR/data.bin"
chmod a-w "$INSTALL_DIR/data.bin"
printf 'mine\n' >"$INSTALL_DIR/keep.txt"
printf 'old\n' >"$INSTALL_DIR/说明.txt"
rm -f "$record"
tolvane_check "the installer starts again" start_installer
tolvane_check "click 立即安装" click_install
tolvane_check "the installer ends" tolvane_wait_exit "$INSTALLER_PID" 15
tolvane_check "with exit code 0" tolvane_equal 0 "$TOLVANE_EXIT"
tolvane_check "the existing files are replaced, the read-only one too" files_match
tolvane_check "the replaced file is writable again" test -w "$INSTALL_DIR/data.bin" -a "$(stat -c %A "$INSTALL_DIR/data.bin" | cut -c3)" = w
tolvane_check "a file of the folder's own stays" tolvane_equal mine "$(cat "$INSTALL_DIR/keep.txt")"
tolvane_check "the program was started again" wait_for_file "$record" 5
tolvane_check "the shortcut is written again" test -f "$DESKTOP_LINK"
tolvane_check "the started program is closed" stop_probe
