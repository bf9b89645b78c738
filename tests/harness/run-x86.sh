#!/usr/bin/env bash
# The shipped 32-bit build's suite: every test of build/x86 labelled x86, run
# by ctest inside one namespace with the i386 root (qemu-i386 + wine32), on a
# private Xvfb, with one persistent wineserver for all of them. Programs run
# through tests/harness/wine-run-x86; script tests run on the host side of the
# namespace and start 32-bit programs with "$TOLVANE_WINE prog.exe".
set -uo pipefail
here=$(cd "$(dirname "$0")" && pwd)
. "$here/session.sh"
"$TOLVANE_ROOT/tools/x86/setup-root.sh" || exit 1
tolvane_xvfb_start || exit 1
export TOLVANE_WINE=$here/wine-run-x86

results=$(mktemp)
trap 'rm -f "$results"; tolvane_session_stop' EXIT
start=$(date +%s%N)
"$TOLVANE_ROOT/tools/x86/run-in-root.sh" --bind "$TOLVANE_ROOT" --host -- \
  ctest --test-dir "$TOLVANE_ROOT/build/x86" -L '^x86$' --no-tests=error --output-on-failure \
    --timeout 300 -j"${TOLVANE_X86_JOBS:-1}" --output-junit "$results" "$@"
rc=$?
secs=$(( ($(date +%s%N) - start) / 1000000 ))
# Anything but a run that passed (failed, timed out, not run) counts as failed.
total=$(grep -c '<testcase ' "$results")
passed=$(grep -c '<testcase .* status="run"' "$results")
failed=$((total - passed))
echo "x86: $passed passed, $failed failed ($((secs / 1000)).$(printf '%03d' $((secs % 1000))) s)"
[ "$rc" -eq 0 ] && [ "$failed" -eq 0 ] && [ "$total" -gt 0 ]
