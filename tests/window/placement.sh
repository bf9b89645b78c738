#!/usr/bin/env bash
# The window is centred on screens of other sizes, each division truncating
# toward zero: a screen narrower than the window puts its left edge at -8, not
# -9. Each screen is a Wine virtual desktop of that size.
set -uo pipefail
. "$(dirname "$0")/../harness/lib.sh"
trap 'tolvane_restart_server; tolvane_cleanup' EXIT

# placed SIZE: the installer's "LEFT TOP WIDTH HEIGHT" on a desktop of SIZE.
# One command line on the desktop starts the installer and reports its window.
placed() {
  local report=$TOLVANE_OUTPUT/state-$1.txt target
  rm -f "$report"
  target=$(tolvane_windows_path "$report" | tr -d '\r')
  (cd "$TOLVANE_BUILD" &&
    timeout 30 wine explorer "/desktop=screen$1,$1" cmd /c \
      "start TolvaneSetup.exe & tolvane-winspy.exe wait-state TolvaneForm > $target") </dev/null >/dev/null 2>&1 &
  for _ in $(seq 200); do [ -s "$report" ] && break; sleep 0.1; done
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
