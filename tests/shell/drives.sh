#!/usr/bin/env bash
# A program in a drive's root, and Path exists on a drive's root and on a
# drive without a medium. Maps two free drive letters for the run (one fixed
# drive on a folder, one floppy drive on a folder that is not there) and puts
# the drives back as they were at the end. Wine reads drives only when its
# server starts, so the server is restarted both times: run it alone.
set -uo pipefail
. "$(dirname "$0")/../harness/lib.sh"
cli=$TOLVANE_BUILD/tolvane-shell-cli.exe
work=$(tolvane_work_folder) || tolvane_fail "no work folder"
letters=$(tolvane_free_drives 2) || tolvane_fail "no two free drive letters"
read -r FIXED FLOPPY <<<"$letters"

put_back() {
  tolvane_unmap_drive "$FIXED"
  tolvane_unmap_drive "$FLOPPY"
  tolvane_restart_server
  tolvane_cleanup
}
trap put_back EXIT

mkdir -p "$work/root/tolv"
echo file >"$work/root/plain"
cp "$cli" "$work/root/"
tolvane_check "$FIXED: is a fixed drive" tolvane_map_drive "$FIXED" "$work/root" hd
tolvane_check "$FLOPPY: is a floppy drive without a medium" tolvane_map_drive "$FLOPPY" "$work/missing" floppy
tolvane_restart_server

# Started from the root of the drive: the own folder is the drive alone.
wine "$FIXED:\\tolvane-shell-cli.exe" own-folder \
  >"$TOLVANE_OUTPUT/root.out" 2>"$TOLVANE_OUTPUT/root.err" </dev/null
tolvane_check "own folder in $FIXED:\\" \
  tolvane_equal "$(printf 'own=%s:\narchive=%s:\\qzr.dat\ncwd=%s:\\' "$FIXED" "$FIXED" "$FIXED")" \
  "$(tr -d '\r' <"$TOLVANE_OUTPUT/root.out")"

paths=("$FIXED:\\" "$FIXED:" "$FIXED:\\tolv" "$FIXED:\\tolv\\" "$FIXED:\\plain" "$FIXED:\\*"
       "$FLOPPY:\\" "$FLOPPY:\\tolv" "$FLOPPY:\\*")
want=(0 0 1 0 1 1 0 0 0)
tolvane_start "$cli" path-exists "${paths[@]}"
# A prompt for the missing medium would hold the program.
tolvane_check "path-exists ends within 5 s" tolvane_wait_exit "$TOLVANE_PID" 5
mapfile -t got < <(tr -d '\r' <"$TOLVANE_OUT")
for i in "${!paths[@]}"; do
  tolvane_check "path exists ${paths[$i]}" tolvane_equal "${want[$i]}" "${got[$i]:-none}"
done
