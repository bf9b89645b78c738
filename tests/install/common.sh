# Sourced by the install run's tests: a drive D: of the test's own, the
# installer and its payload in D:\setup, and helpers to drive one install.
# Every script maps drives, so they run alone (RUN_SERIAL).
. "$(dirname "${BASH_SOURCE[0]}")/../harness/lib.sh"

INSTALL_SCRATCH=$(mktemp -d)
DRIVE_D=$INSTALL_SCRATCH/d
SETUP_DIR=$DRIVE_D/setup
INSTALL_DIR=$DRIVE_D/tolv
PAYLOAD_SRC=$INSTALL_SCRATCH/src
DESKTOP_LINK=$HOME/Desktop/Tolvane.lnk
INSTALL_DRIVES=(D)
mkdir -p "$SETUP_DIR" "$PAYLOAD_SRC" "$HOME/Desktop"
cp "$TOLVANE_BUILD/TolvaneSetup.exe" "$SETUP_DIR/"

# Later tests of the session must not see our drives, also after a failure.
install_end() {
  local letter
  for letter in "${INSTALL_DRIVES[@]}"; do tolvane_unmap_drive "$letter"; done
  tolvane_restart_server
  rm -rf "$INSTALL_SCRATCH"
  rm -f "$DESKTOP_LINK"
  tolvane_cleanup
}
trap install_end EXIT

# map_drives: map D: (and any LETTER=FOLDER:TYPE given) and restart the server.
map_drives() {
  local mapping letter rest
  tolvane_map_drive D "$DRIVE_D" hd || return 1
  for mapping in "$@"; do
    letter=${mapping%%=*} rest=${mapping#*=}
    INSTALL_DRIVES+=("$letter")
    tolvane_map_drive "$letter" "${rest%:*}" "${rest##*:}" || return 1
  done
  tolvane_restart_server
}

# make_payload ARCHIVE ENTRY...: a ZIP of the entries of $PAYLOAD_SRC in this
# order, deflated, names ending in / as folder entries, UTF-8 names flagged,
# each with its file's modification time.
make_payload() {
  (cd "$PAYLOAD_SRC" && python3 - "$@" <<'PY'
import sys, zipfile
with zipfile.ZipFile(sys.argv[1], "w", zipfile.ZIP_DEFLATED) as archive:
    for name in sys.argv[2:]:
        archive.write(name.rstrip("/"), name)
PY
  )
}

# start_installer: start D:\setup\TolvaneSetup.exe from its folder; sets
# INSTALLER_PID, WID and the window's screen place WX, WY.
start_installer() {
  rm -f "$DESKTOP_LINK"
  tolvane_start "$SETUP_DIR/TolvaneSetup.exe"
  INSTALLER_PID=$TOLVANE_PID
  WID=$(tolvane_find_window tolvanesetup.exe 10) || return 1
  read -r WX WY _ <<<"$(tolvane_window_geometry "$WID")"
}

# click_at X Y: click at a point of the installer window.
click_at() { tolvane_click $((WX + $1)) $((WY + $2)); }
click_install() { click_at 310 398; }

# window_controls: the installer window's child windows, "CLASS X Y W H VISIBLE TEXT" (UTF-8).
window_controls() {
  tolvane_winspy children TolvaneForm || return 1
  iconv -f GBK -t UTF-8 "$TOLVANE_OUTPUT/winspy.out"
}
# status_text: the caption of the status label (the label at 232, 320).
status_text() { window_controls | sed -n 's/^TolvaneLabel 232 320 368 40 [01] \{0,1\}//p'; }
# bar_state: "VISIBLE WIDTH" of the progress bar (the label 3 high at 1, 363).
bar_state() { window_controls | awk '$1 == "TolvaneLabel" && $2 == 1 && $3 == 363 { print $6, $4 }'; }

# row_is_white SHOT: the bar's row (y 363, x 1 to 615) is the panel's white.
row_is_white() {
  local colours
  colours=$(convert "$1" -crop "615x1+$((WX + 1))+$((WY + 363))" +repage -alpha off -depth 8 txt:- |
            sed -n '2,$s/.*#\([0-9A-Fa-f]\{6\}\).*/\1/p' | sort -u)
  tolvane_equal FFFFFF "$colours"
}

# wait_for_file FILE [TIMEOUT=10]
wait_for_file() {
  local ticks=$((${2:-10} * 20))
  until [ -e "$1" ]; do
    [ "$ticks" -gt 0 ] || { echo "no $1 after ${2:-10} s" >&2; return 1; }
    ticks=$((ticks - 1))
    sleep 0.05
  done
}

# stop_probe: close the started program's window (the probe then appends ended=1).
stop_probe() { tolvane_winspy close "Tolvane probe"; }

# probe_field RECORD KEY: a value of the probe's start record.
probe_field() { iconv -f GBK -t UTF-8 "$1" | sed -n "s/^$2=//p" | tr -d '\r'; }

# lnk_field FILE FIELD: "Local path" or "Description" as lnkinfo reads them.
lnk_field() { lnkinfo "$1" 2>/dev/null | sed -n "s/^[[:space:]]*$2[[:space:]]*: //p"; }

# no_box_within TITLE SECONDS: no message box titled TITLE appears.
no_box_within() { ! tolvane_find_msgbox "$1" "$2" 2>/dev/null; }
