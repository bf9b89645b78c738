# Sourced by the window scripts: the installer copied onto a Wine drive D: of
# its own and started from there, and checks on screenshots of its window in
# the window's own (client) coordinates. The drives a script maps are removed
# again when it ends, also after a failure.
. "$(dirname "${BASH_SOURCE[0]}")/../harness/lib.sh"

# The installer window's Windows class, by which winspy finds it.
FORM_CLASS=TolvaneForm
WINDOW_DRIVES=$(mktemp -d)
WINDOW_LETTERS=()

# window_map_drive LETTER TYPE [LABEL]: map LETTER to a new folder of its own.
window_map_drive() {
  mkdir -p "$WINDOW_DRIVES/$1" && tolvane_map_drive "$1" "$WINDOW_DRIVES/$1" "${@:2}" && WINDOW_LETTERS+=("$1")
}

window_restore_drives() {
  local letter
  for letter in "${WINDOW_LETTERS[@]}"; do tolvane_unmap_drive "$letter"; done
  [ ${#WINDOW_LETTERS[@]} -eq 0 ] || tolvane_restart_server
  WINDOW_LETTERS=()
  rm -rf "$WINDOW_DRIVES"
}
trap 'window_restore_drives; tolvane_cleanup' EXIT

# window_start: start the installer from drive D (mapped with window_map_drive
# and the server restarted first); sets WINDOW (X id) and WINDOW_PID.
window_start() {
  cp "$TOLVANE_BUILD/TolvaneSetup.exe" "$WINDOW_DRIVES/D/" || return 1
  xdotool mousemove 0 0  # no button is hot when the window appears
  tolvane_start "$WINDOW_DRIVES/D/TolvaneSetup.exe"
  WINDOW_PID=$TOLVANE_PID
  WINDOW=$(tolvane_find_window tolvanesetup.exe)
}

# window_point X Y: print the screen point of the window's client point X, Y.
window_point() {
  local x y w h
  read -r x y w h < <(tolvane_window_geometry "$WINDOW") && echo "$((x + $1)) $((y + $2))"
}

# window_spy MODE [ARGS]: print winspy's answer about the installer window in UTF-8.
window_spy() {
  local mode=$1; shift
  if [ "$mode" = tooltips ]; then tolvane_winspy tooltips; else tolvane_winspy "$mode" "$FORM_CLASS" "$@"; fi || return 1
  iconv -f GBK -t UTF-8 "$TOLVANE_OUTPUT/winspy.out"
}

# window_caption LEFT TOP: print the caption of the label placed at LEFT, TOP.
window_caption() {
  window_spy children TolvaneLabel | awk -v l="$1" -v t="$2" '$1 == l && $2 == t { for (i = 0; i < 5; i++) sub(/^[^ ]* /, ""); print }'
}

# window_shot NAME: photograph the screen and cut out the installer window at
# its present place as $TOLVANE_OUTPUT/NAME.png; prints that file.
window_shot() {
  local x y w h file=$TOLVANE_OUTPUT/$1.png
  read -r x y w h < <(tolvane_window_geometry "$WINDOW") || return 1
  tolvane_shot "$TOLVANE_OUTPUT/$1-screen.png" &&
    convert "$TOLVANE_OUTPUT/$1-screen.png" -crop "${w}x$h+$x+$y" +repage "$file" && echo "$file"
}

# window_steady NAME: window_shot once the window has stopped changing (two
# shots a quarter second apart are equal), so that all painting is done.
window_steady() {
  local previous current tries=12
  previous=$(window_shot "$1-previous") || return 1
  while sleep 0.25 && current=$(window_shot "$1"); do
    same_pixels "$previous" "$current" 2>/dev/null && { echo "$current"; return 0; }
    tries=$((tries - 1))
    [ "$tries" -gt 0 ] || { echo "the window keeps changing" >&2; return 1; }
    cp "$current" "$previous"
  done
  return 1
}

# histogram FILE X Y W H: print "COUNT R G B" for each colour in the box.
histogram() {
  convert "$1" -crop "$4x$5+$2+$3" +repage -alpha off -depth 8 -format %c histogram:info:- |
    sed -n 's/^ *\([0-9]*\): *( *\([0-9]*\), *\([0-9]*\), *\([0-9]*\)[,)].*/\1 \2 \3 \4/p'
}

# assert_box FILE X Y W H R G B: every pixel of the box has that colour.
assert_box() {
  local colours
  colours=$(histogram "$1" "$2" "$3" "$4" "$5" | awk '{ print $2, $3, $4 }')
  tolvane_equal "$6 $7 $8" "$colours" || { echo "box $4x$5+$2+$3 of $1" >&2; return 1; }
}

# assert_grey_text FILE X Y W H GREY MIN: grey text of value GREY on white in
# the box: at least MIN pixels are exactly GREY, and every other pixel is white
# or a grey between GREY and white (the text's smoothed edge).
assert_grey_text() {
  histogram "$1" "$2" "$3" "$4" "$5" | awk -v grey="$6" -v min="$7" '
    $2 != $3 || $3 != $4 || $2 < grey { print "foreign colour " $2, $3, $4 " (" $1 " pixels)" > "/dev/stderr"; bad = 1 }
    $2 == grey { exact = $1 }
    END {
      if (exact < min) { print exact + 0 " pixels of the text colour, expected at least " min > "/dev/stderr"; bad = 1 }
      exit bad
    }'
}

# ink_box FILE X Y W H [white]: print "LEFT TOP WIDTH HEIGHT" of the non-white
# pixels in the box, relative to it; with "white", of the pure white ones.
ink_box() {
  local only_white=()
  [ "${6:-}" = white ] && only_white=(-fill black +opaque white -negate)
  convert "$1" -crop "$4x$5+$2+$3" +repage -alpha off "${only_white[@]}" -bordercolor white -border 1 \
    -format '%@' info: 2>/dev/null |
    sed -n 's/^\([0-9]*\)x\([0-9]*\)+\([0-9]*\)+\([0-9]*\)$/\3 \4 \1 \2/p' | awk '{ print $1 - 1, $2 - 1, $3, $4 }'
}

# centred_in W H LEFT TOP WIDTH HEIGHT: a block at LEFT, TOP is centred in W x H within 2 pixels.
centred_in() {
  local dx=$((2 * $3 + $5 - $1)) dy=$((2 * $4 + $6 - $2))
  [ "${dx#-}" -le 4 ] && [ "${dy#-}" -le 4 ] || { echo "block $*: off centre by $dx/2, $dy/2" >&2; return 1; }
}

# white_mask FILE X Y W H OUT: OUT shows the box's pure white pixels white, all others black.
white_mask() {
  convert "$1" -crop "$4x$5+$2+$3" +repage -alpha off -fill black +opaque white "$6"
}

# same_pixels A B: the two pictures are equal pixel for pixel.
same_pixels() {
  local differ
  differ=$(compare -metric AE "$1" "$2" null: 2>&1)
  [ "$differ" = 0 ] || { echo "$differ pixels differ between $1 and $2" >&2; return 1; }
}

# wait_for SECONDS COMMAND...: retry COMMAND every 0.1 s until it succeeds.
wait_for() {
  local ticks=$(($1 * 10))
  until "${@:2}" 2>/dev/null; do
    [ "$ticks" -gt 0 ] || { "${@:2}"; return 1; }
    ticks=$((ticks - 1))
    sleep 0.1
  done
}

# still_running SECONDS: the installer and its window are still there SECONDS later.
still_running() {
  local state
  sleep "$1"
  state=$(ps -o stat= -p "$WINDOW_PID") && [ "${state:0:1}" != Z ] && window_spy state >/dev/null
}
