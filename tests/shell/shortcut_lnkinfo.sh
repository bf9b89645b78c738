#!/usr/bin/env bash
# Shortcuts written by Create shortcut, read by an independent reader of the
# file format (lnkinfo of liblnk-utils): target path and description, no
# arguments or working folder, and the show command SW_SHOW at offset 0x3C
# (lnkinfo prints 0 for it whatever the file holds, so it is read directly).
set -euo pipefail
. "$(dirname "$0")/checks.sh"
windows_work=$(wine winepath -w "$work" 2>/dev/null)

# shortcut LINK TARGET DESCRIPTION WRITTEN: LINK, TARGET and WRITTEN are below
# the work folder, LINK and TARGET with backslashes.
shortcut() {
  local file=$work/$4 info
  wine "$cli" shortcut "$windows_work\\$1" "$windows_work\\$2" "$3" </dev/null >/dev/null 2>&1 ||
    { check "$1: written" no yes; return; }
  info=$(lnkinfo -c windows-936 "$file")
  check "$1: path" "$(sed -n 's/^\tLocal path\t*: //p' <<<"$info")" "$windows_work\\$2"
  check "$1: description" "$(sed -n 's/^\tDescription\t*: //p' <<<"$info")" "$3"
  check "$1: no arguments or working folder" \
    "$(grep -cE 'Command line arguments|Working directory' <<<"$info" || true)" 0
  check "$1: show command" "$(od -An -tu4 -j60 -N4 "$file" | tr -d ' ')" 5
}

mkdir -p "$work/tolv" "$work/a.b" "$work/安装"
echo program >"$work/tolv/Tolvane.exe"
shortcut 'a.b\Tolvane' 'tolv\Tolvane.exe' Corvessa a.b/Tolvane.lnk
shortcut 'Tolvane.lnk' 'tolv\Tolvane.exe' Corvessa Tolvane.lnk
shortcut '安装\托尔万' 'tolv\托尔万.exe' '托尔万 安装程序' 安装/托尔万.lnk
# Written again over the first one with another target and description.
shortcut 'a.b\Tolvane' 'tolv\托尔万.exe' '新的' a.b/Tolvane.lnk
check "nothing else written" "$(cd "$work" && find . -name '*.lnk' | LC_ALL=C sort | tr '\n' ' ')" \
  "./Tolvane.lnk ./a.b/Tolvane.lnk ./安装/托尔万.lnk "

all_passed
