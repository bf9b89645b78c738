#!/usr/bin/env bash
# Runs the x64 suite: ctest with Wine as the emulator, on a private Xvfb and a
# persistent wineserver that are stopped afterwards.
set -uo pipefail
here=$(cd "$(dirname "$0")" && pwd)
. "$here/session.sh"
tolvane_session_start || exit 1
ctest --test-dir "$TOLVANE_ROOT/build/x64" --output-on-failure -j"${TOLVANE_TEST_JOBS:-2}" "$@"
