#!/usr/bin/env bash
# A program in a drive's root, and Path exists on a drive's root and on a
# drive without a medium. Maps two free drive letters for the run (one fixed
# drive on a folder, one floppy drive on a folder that is not there) and puts
# the drives back as they were at the end. Wine reads drives only when its
# server starts, so the server is restarted both times: run it alone.
set -euo pipefail
. "$(dirname "$0")/checks.sh"
drives='HKLM\Software\Wine\Drives'

free_letters=()
for letter in {d..y}; do
  [ -e "$WINEPREFIX/dosdevices/$letter:" ] || [ -L "$WINEPREFIX/dosdevices/$letter:" ] || free_letters+=("$letter")
done
fixed=${free_letters[0]} floppy=${free_letters[1]}
FIXED=${fixed^^} FLOPPY=${floppy^^}

restart_server() {
  wineserver -k >/dev/null 2>&1 || true
  wineserver -w >/dev/null 2>&1 || true
  wineserver -p >/dev/null 2>&1
  # Wine's service processes start with the first program: keep them off
  # ctest's output pipe.
  wine cmd.exe /c exit </dev/null >/dev/null 2>&1
}

put_back() {
  rm -f "$WINEPREFIX/dosdevices/$fixed:" "$WINEPREFIX/dosdevices/$floppy:"
  wine reg delete "$drives" /v "$floppy:" /f </dev/null >/dev/null 2>&1 || true
  restart_server
  rm -rf "$work"
}
trap put_back EXIT

mkdir -p "$work/root/tolv"
echo file >"$work/root/plain"
cp "$cli" "$work/root/"
ln -s "$work/root" "$WINEPREFIX/dosdevices/$fixed:"
ln -s "$work/missing" "$WINEPREFIX/dosdevices/$floppy:"
wine reg add "$drives" /v "$floppy:" /t REG_SZ /d floppy /f </dev/null >/dev/null 2>&1
restart_server

# Started from the root of the drive: the own folder is the drive alone.
wine "$FIXED:\\tolvane-shell-cli.exe" own-folder >"$work/report" 2>/dev/null </dev/null
check "own folder in $FIXED:\\" "$(tr -d '\r' <"$work/report")" \
  "$(printf 'own=%s:\narchive=%s:\\qzr.dat\ncwd=%s:\\' "$FIXED" "$FIXED" "$FIXED")"

paths=("$FIXED:\\" "$FIXED:" "$FIXED:\\tolv" "$FIXED:\\tolv\\" "$FIXED:\\plain" "$FIXED:\\*"
       "$FLOPPY:\\" "$FLOPPY:\\tolv" "$FLOPPY:\\*")
want=(0 0 1 0 1 1 0 0 0)
start=$(date +%s%N)
wine "$cli" path-exists "${paths[@]}" >"$work/report" 2>/dev/null </dev/null
elapsed_ms=$((($(date +%s%N) - start) / 1000000))
mapfile -t got < <(tr -d '\r' <"$work/report")
for i in "${!paths[@]}"; do check "path exists ${paths[$i]}" "${got[$i]:-none}" "${want[$i]}"; done
# A prompt for the missing medium would hold the program until timeout.
echo "path-exists run: $elapsed_ms ms"
check "path-exists run under 5 s" "$((elapsed_ms < 5000))" 1

all_passed
