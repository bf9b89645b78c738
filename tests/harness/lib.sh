# Sourced by script tests that drive real Windows programs on Wine under Xvfb.
# Inside `make test-x64` the session (DISPLAY, wineserver) is already there;
# a script run alone gets its own session, stopped when the script ends.
# Programs started here are killed when the script ends; a script that sets
# its own EXIT trap calls tolvane_cleanup from it. Every Wine call writes to
# files, never to the script's output: Wine's service processes inherit the
# descriptors of the program that starts them and would hold ctest's pipe open.
. "$(dirname "${BASH_SOURCE[0]}")/env.sh"
. "$(dirname "${BASH_SOURCE[0]}")/checks.sh"

TOLVANE_BUILD=${TOLVANE_BUILD:-$TOLVANE_ROOT/build/x64}
# Screenshots and program output of this script, kept for a look after a failure.
TOLVANE_OUTPUT=$TOLVANE_BUILD/test-output/$(basename "$(dirname "$(realpath "${BASH_SOURCE[-1]}")")")-$(basename "${BASH_SOURCE[-1]}" .sh)
mkdir -p "$TOLVANE_OUTPUT"
TOLVANE_STARTED=()
TOLVANE_RUNS=0
TOLVANE_OWN_SESSION=

if [ -z "${DISPLAY:-}" ]; then
  . "$(dirname "${BASH_SOURCE[0]}")/session.sh"
  tolvane_session_start || exit 1
  TOLVANE_OWN_SESSION=1
fi

# tolvane_cleanup: kill the programs still running and stop the script's own session (the EXIT trap).
tolvane_cleanup() {
  local pid
  for pid in "${TOLVANE_STARTED[@]}"; do
    { kill -KILL "$pid" && wait "$pid"; } 2>/dev/null
  done
  [ -n "$TOLVANE_OWN_SESSION" ] && tolvane_session_stop
}
trap tolvane_cleanup EXIT

# --- Drives (Wine reads them when its server starts: map, then tolvane_restart_server) ---

# tolvane_free_drives COUNT: print COUNT letters from D to Y that no drive uses, upper case, on one line.
tolvane_free_drives() {
  local letter free=()
  for letter in {d..y}; do
    [ -e "$WINEPREFIX/dosdevices/$letter:" ] || [ -L "$WINEPREFIX/dosdevices/$letter:" ] || free+=("${letter^^}")
  done
  [ "${#free[@]}" -ge "$1" ] || { echo "fewer than $1 free drive letters" >&2; return 1; }
  echo "${free[@]:0:$1}"
}

# tolvane_map_drive LETTER FOLDER TYPE [LABEL]: make FOLDER drive LETTER of TYPE hd|cdrom|network|floppy; no LABEL removes FOLDER's label.
# A FOLDER that is not there makes a drive without a medium.
tolvane_map_drive() {
  local letter folder
  letter=$(tr '[:upper:]' '[:lower:]' <<<"$1")
  case $3 in hd | cdrom | network | floppy) ;; *) echo "unknown drive type $3" >&2; return 1 ;; esac
  folder=$(realpath -m "$2") || return 1
  ln -sfn "$folder" "$WINEPREFIX/dosdevices/$letter:" || return 1
  wine reg add 'HKLM\Software\Wine\Drives' /v "$letter:" /t REG_SZ /d "$3" /f \
    >"$TOLVANE_OUTPUT/reg.out" 2>&1 || { cat "$TOLVANE_OUTPUT/reg.out" >&2; return 1; }
  if [ $# -ge 4 ]; then printf '%s' "$4" >"$folder/.windows-label"; else rm -f "$folder/.windows-label"; fi
}

# tolvane_unmap_drive LETTER: remove drive LETTER (its link and type); its folder is left alone.
tolvane_unmap_drive() {
  local letter
  letter=$(tr '[:upper:]' '[:lower:]' <<<"$1")
  rm -f "$WINEPREFIX/dosdevices/$letter:"
  wine reg delete 'HKLM\Software\Wine\Drives' /v "$letter:" /f >"$TOLVANE_OUTPUT/reg.out" 2>&1
  return 0
}

# tolvane_restart_server: stop every Wine process of the prefix and start the server again (tests using it are RUN_SERIAL).
tolvane_restart_server() {
  wineserver -k >/dev/null 2>&1
  wineserver -w >/dev/null 2>&1
  wineserver -p >/dev/null 2>&1
  # Starts the service processes now, with nothing of the script's open.
  wine cmd /c exit 0 </dev/null >/dev/null 2>&1
}

# --- Files ---

# tolvane_work_folder: print an empty folder for the script's files, in its output folder (kept for a look after a failure).
tolvane_work_folder() {
  rm -rf "$TOLVANE_OUTPUT/work" && mkdir "$TOLVANE_OUTPUT/work" && echo "$TOLVANE_OUTPUT/work"
}

# tolvane_windows_path PATH: print the Unix PATH as Windows programs see it.
tolvane_windows_path() {
  wine winepath -w "$1" >"$TOLVANE_OUTPUT/winepath.out" 2>"$TOLVANE_OUTPUT/winepath.err" </dev/null &&
    cat "$TOLVANE_OUTPUT/winepath.out"
}

# --- Processes ---

# tolvane_start PROGRAM_UNIX_PATH [ARGS...]: run PROGRAM from its own folder in the background; sets TOLVANE_PID and TOLVANE_OUT (its stdout file).
tolvane_start() {
  local program=$1; shift
  TOLVANE_RUNS=$((TOLVANE_RUNS + 1))
  TOLVANE_OUT=$TOLVANE_OUTPUT/run-$TOLVANE_RUNS.out
  (cd "$(dirname "$program")" && exec wine "./$(basename "$program")" "$@") \
    >"$TOLVANE_OUT" 2>"$TOLVANE_OUTPUT/run-$TOLVANE_RUNS.err" &
  TOLVANE_PID=$!
  TOLVANE_STARTED+=("$TOLVANE_PID")
}

# tolvane_wait_exit PID [TIMEOUT=10]: wait for a started program; prints and sets TOLVANE_EXIT, its exit code's low byte (-1 gives 255). Not in $( ).
tolvane_wait_exit() {
  local pid=$1 state deadline
  # Microseconds on the clock, not counted sleeps: tests time programs with it.
  deadline=$((${EPOCHREALTIME//[!0-9]/} + ${2:-10} * 1000000))
  while state=$(ps -o stat= -p "$pid") && [ "${state:0:1}" != Z ]; do
    [ "${EPOCHREALTIME//[!0-9]/}" -lt "$deadline" ] || { echo "process $pid still runs after ${2:-10} s" >&2; return 1; }
    sleep 0.05
  done
  wait "$pid"
  TOLVANE_EXIT=$?
  echo "$TOLVANE_EXIT"
}

# --- Windows on the X display ---

# Anchored regular expression that matches TEXT exactly.
tolvane_exact() {
  printf '^%s$' "$(sed 's/[][\.*^$+?(){}|/]/\\&/g' <<<"$1")"
}

# tolvane_search TIMEOUT TEXT FIELDS...: wait for a visible window whose FIELDS (--name, --class) match TEXT exactly; print the first.
tolvane_search() {
  local ticks=$(($1 * 10)) pattern found
  pattern=$(tolvane_exact "$2")
  while :; do
    found=$(xdotool search --onlyvisible "${@:3}" "$pattern" 2>/dev/null | head -n 1)
    [ -n "$found" ] && { echo "$found"; return 0; }
    [ "$ticks" -gt 0 ] || { echo "no visible window with ${*:3} $2 after $1 s" >&2; return 1; }
    ticks=$((ticks - 1))
    sleep 0.1
  done
}

# tolvane_find_window TITLE_OR_CLASS [TIMEOUT=10]: print the id of a visible window with that exact title or X class (exe name).
tolvane_find_window() {
  tolvane_search "${2:-10}" "$1" --name --class
}

# tolvane_window_geometry WID: print "X Y WIDTH HEIGHT" of the window on the screen.
tolvane_window_geometry() {
  local X Y WIDTH HEIGHT WINDOW SCREEN
  eval "$(xdotool getwindowgeometry --shell "$1")" || return 1
  echo "$X $Y $WIDTH $HEIGHT"
}

# tolvane_shot FILE: save a screenshot of the whole screen as FILE (PNG, exact colours).
tolvane_shot() {
  import -window root "$1"
}

# --- Mouse and keys ---

# tolvane_mouse_move X Y: move the pointer to screen point X, Y.
tolvane_mouse_move() { xdotool mousemove "$1" "$2"; }
# tolvane_mouse_down: press the left button.
tolvane_mouse_down() { xdotool mousedown 1; }
# tolvane_mouse_up: release the left button.
tolvane_mouse_up() { xdotool mouseup 1; }

# tolvane_click X Y: left click at X, Y, with short pauses so the program sees each step.
tolvane_click() {
  xdotool mousemove "$1" "$2" && sleep 0.05 && xdotool mousedown 1 && sleep 0.05 && xdotool mouseup 1 && sleep 0.05
}

# tolvane_drag X1 Y1 X2 Y2: press at X1, Y1, move in five steps to X2, Y2, release.
tolvane_drag() {
  local i
  xdotool mousemove "$1" "$2" && sleep 0.05 && xdotool mousedown 1 && sleep 0.1 || return 1
  for i in 1 2 3 4 5; do
    xdotool mousemove $(($1 + ($3 - $1) * i / 5)) $(($2 + ($4 - $2) * i / 5)) && sleep 0.05 || return 1
  done
  xdotool mouseup 1 && sleep 0.05
}

# tolvane_key KEYSPEC...: press keys as xdotool names them (Escape, shift+Escape, Tab, space).
tolvane_key() { xdotool key "$@"; }

# --- Message boxes (X shows their texts only as pixels; winspy reads them from inside Wine) ---

# Runs tolvane-winspy (built if missing) with ARGS; its GBK output goes to a file.
tolvane_winspy() {
  local exe=$TOLVANE_BUILD/tolvane-winspy.exe
  [ -f "$exe" ] || cmake --build "$TOLVANE_BUILD" --target tolvane-winspy >&2 || return 1
  wine "$exe" "$@" >"$TOLVANE_OUTPUT/winspy.out" 2>"$TOLVANE_OUTPUT/winspy.err"
}

# tolvane_find_msgbox TITLE [TIMEOUT=10]: print the id of the visible message box titled TITLE.
tolvane_find_msgbox() {
  tolvane_search "${2:-10}" "$1" --name
}

# tolvane_msgbox_text WID: print the message box's texts in UTF-8, one line each.
tolvane_msgbox_text() {
  local title
  title=$(xdotool getwindowname "$1") || return 1
  tolvane_winspy texts "$title" || { echo "no message box titled $title" >&2; return 1; }
  iconv -f GBK -t UTF-8 "$TOLVANE_OUTPUT/winspy.out"
}

# tolvane_dismiss_msgbox WID: press OK on the message box and wait until it is gone.
tolvane_dismiss_msgbox() {
  local title ticks=50
  title=$(xdotool getwindowname "$1") || return 1
  tolvane_winspy ok "$title" || { echo "no message box titled $title" >&2; return 1; }
  while xwininfo -id "$1" 2>/dev/null | grep -q IsViewable; do
    [ "$ticks" -gt 0 ] || { echo "message box $title still shown" >&2; return 1; }
    ticks=$((ticks - 1))
    sleep 0.1
  done
}

# tolvane_drives: print the drives as Windows programs see them, "D: TYPE [LABEL]" (TYPE of GetDriveTypeA).
tolvane_drives() {
  tolvane_winspy drives || return 1
  iconv -f GBK -t UTF-8 "$TOLVANE_OUTPUT/winspy.out"
}
