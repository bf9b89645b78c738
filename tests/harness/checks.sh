# Sourced: reporting and picture checks for script tests, no Wine or X needed.
# A script reads as a list of checks; the first failing one ends it with exit 1.

# Commands' diagnostics go to stderr, where they stand just above the failure
# they explain; no extra descriptor is kept open, as Wine's service processes
# would inherit it and hold the test runner's output pipe open.
TOLVANE_CHECK=

# tolvane_fail MESSAGE: report a failure (naming the current check) and exit 1.
tolvane_fail() {
  echo "FAIL: ${TOLVANE_CHECK:+$TOLVANE_CHECK: }$*" >&2
  exit 1
}

# tolvane_check DESCRIPTION COMMAND...: run COMMAND in this shell, its stdout dropped; print "ok" or fail.
tolvane_check() {
  local status
  TOLVANE_CHECK=$1; shift
  "$@" >/dev/null
  status=$?
  [ "$status" -eq 0 ] || tolvane_fail "$* (status $status)"
  echo "ok   $TOLVANE_CHECK"
  TOLVANE_CHECK=
}

# tolvane_equal EXPECTED ACTUAL: succeed when both texts are equal, else say how they differ.
tolvane_equal() {
  [ "$1" = "$2" ] && return 0
  printf 'expected: %s\n  actual: %s\n' "$1" "$2" >&2
  return 1
}

# tolvane_pixel FILE X Y: print the pixel's colour as "R G B", 8 bits each.
tolvane_pixel() {
  local hex
  hex=$(convert "$1" -crop "1x1+$2+$3" +repage -alpha off -depth 8 txt:- |
        sed -n 's/.*#\([0-9A-Fa-f]\{6\}\).*/\1/p')
  [ -n "$hex" ] || { echo "no pixel at $2,$3 in $1" >&2; return 1; }
  printf '%d %d %d\n' "0x${hex:0:2}" "0x${hex:2:2}" "0x${hex:4:2}"
}

# tolvane_assert_pixel FILE X Y R G B [TOLERANCE]: fail unless each channel is within TOLERANCE (default 0).
tolvane_assert_pixel() {
  local file=$1 x=$2 y=$3 tolerance=${7:-0} actual r g b d
  actual=$(tolvane_pixel "$file" "$x" "$y") || tolvane_fail "no pixel $x,$y in $file"
  read -r r g b <<<"$actual"
  for d in $((r - $4)) $((g - $5)) $((b - $6)); do
    [ "${d#-}" -le "$tolerance" ] ||
      tolvane_fail "pixel $x,$y of $file is $actual, expected $4 $5 $6 (tolerance $tolerance)"
  done
}
