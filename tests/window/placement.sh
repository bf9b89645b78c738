#!/usr/bin/env bash
# The window is centred on screens of other sizes, each division truncating
# toward zero: a screen narrower than the window puts its left edge at -8, not
# -9. Each screen is a Wine virtual desktop of that size.
set -uo pipefail
. "$(dirname "$0")/../harness/lib.sh"
trap 'tolvane_restart_server; tolvane_cleanup' EXIT

# in_desktop NAME SIZE COMMAND: run a Windows command line on the virtual desktop NAME of SIZE.
in_desktop() { (cd "$TOLVANE_BUILD" && wine explorer "/desktop=$1,$2" cmd /c "$3") </dev/null >/dev/null 2>&1; }

# placed SIZE: the installer's "LEFT TOP WIDTH HEIGHT" on a desktop of SIZE.
placed() {
  local name=screen$1 report=$TOLVANE_OUTPUT/state-$1.txt target
  rm -f "$report"
  target=$(tolvane_windows_path "$report" | tr -d '\r')
  (cd "$TOLVANE_BUILD" && wine explorer "/desktop=$name,$1" TolvaneSetup.exe) </dev/null >/dev/null 2>&1 &
  # A second explorer for the same desktop only hands its command over once the
  # first one has made the desktop window.
  tolvane_find_window "$name - Wine desktop" 20 >/dev/null || return 1
  # "VISIBLE ICONIC LEFT TOP WIDTH HEIGHT", once the window is shown.
  for _ in $(seq 100); do
    in_desktop "$name" "$1" "tolvane-winspy.exe state TolvaneForm > $target"
    [ "$(cut -d' ' -f1 "$report" 2>/dev/null)" = 1 ] && break
    sleep 0.1
  done
  cut -d' ' -f3- "$report"
  tolvane_restart_server  # ends that installer and its desktop
}

while read -r size want; do
  tolvane_check "on a $size screen the window is at $want" tolvane_equal "$want 617 428" "$(placed "$size")"
done <<'CASES'
600x400 -8 -14
800x600 91 86
617x428 0 0
CASES
