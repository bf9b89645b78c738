#!/usr/bin/env bash
# Makes the test prefix once: Chinese locale (code page 936), a desktop folder
# under build/wine/home, and Wine's unmanaged X11 mode (keys reach the window,
# minimise really hides it).
set -euo pipefail
. "$(dirname "$0")/env.sh"
[ -f "$WINEPREFIX/.tolvane-ready" ] && exit 0
echo "wine: making the prefix $WINEPREFIX" >&2
rm -rf "$WINEPREFIX"
mkdir -p "$HOME/Desktop"
wine wineboot -i >/dev/null 2>&1
wine reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /t REG_SZ /d N /f >/dev/null 2>&1
wineserver -w
touch "$WINEPREFIX/.tolvane-ready"
