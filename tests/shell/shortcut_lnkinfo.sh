#!/usr/bin/env bash
# Shortcuts written by Create shortcut, read by an independent reader of the
# file format (lnkinfo of liblnk-utils): target path and description, no
# arguments or working folder, and the show command SW_SHOW at offset 0x3C
# (lnkinfo prints 0 for it whatever the file holds, so it is read directly).
set -uo pipefail
. "$(dirname "$0")/../harness/lib.sh"
cli=$TOLVANE_BUILD/tolvane-shell-cli.exe
work=$(tolvane_work_folder) || tolvane_fail "no work folder"
windows_work=$(tolvane_windows_path "$work") || tolvane_fail "no Windows path for $work"

# shortcut LINK TARGET DESCRIPTION WRITTEN: LINK, TARGET and WRITTEN are below
# the work folder, LINK and TARGET with backslashes.
shortcut() {
  local file=$work/$4 info
  tolvane_start "$cli" shortcut "$windows_work\\$1" "$windows_work\\$2" "$3"
  tolvane_check "$1: runs" tolvane_wait_exit "$TOLVANE_PID"
  tolvane_check "$1: written" tolvane_equal 0 "$TOLVANE_EXIT"
  info=$(lnkinfo -c windows-936 "$file")
  tolvane_check "$1: path" tolvane_equal "$windows_work\\$2" "$(sed -n 's/^\tLocal path\t*: //p' <<<"$info")"
  tolvane_check "$1: description" tolvane_equal "$3" "$(sed -n 's/^\tDescription\t*: //p' <<<"$info")"
  tolvane_check "$1: no arguments or working folder" \
    tolvane_equal 0 "$(grep -cE 'Command line arguments|Working directory' <<<"$info")"
  tolvane_check "$1: show command" tolvane_equal 5 "$(od -An -tu4 -j60 -N4 "$file" | tr -d ' ')"
}

mkdir -p "$work/tolv" "$work/a.b" "$work/安装"
echo program >"$work/tolv/Tolvane.exe"
shortcut 'a.b\Tolvane' 'tolv\Tolvane.exe' Corvessa a.b/Tolvane.lnk
shortcut 'Tolvane.lnk' 'tolv\Tolvane.exe' Corvessa Tolvane.lnk
shortcut '安装\托尔万' 'tolv\托尔万.exe' '托尔万 安装程序' 安装/托尔万.lnk
# Written again over the first one with another target and description.
shortcut 'a.b\Tolvane' 'tolv\托尔万.exe' '新的' a.b/Tolvane.lnk
tolvane_check "nothing else written" tolvane_equal "./Tolvane.lnk ./a.b/Tolvane.lnk ./安装/托尔万.lnk " \
  "$(cd "$work" && find . -name '*.lnk' | LC_ALL=C sort | tr '\n' ' ')"
