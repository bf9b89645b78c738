# Sourced by every script that runs Wine: one prefix, one home, all under build/.
# Nothing here depends on the developer's own prefix, display or home folder.
TOLVANE_ROOT=${TOLVANE_ROOT:-$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)}
export TOLVANE_ROOT
export WINEPREFIX=$TOLVANE_ROOT/build/wine/prefix
export HOME=$TOLVANE_ROOT/build/wine/home
export WINEARCH=win64
export WINEDEBUG=-all
export WINEDLLOVERRIDES="winemenubuilder.exe=d;mscoree,mshtml="
export LANG=zh_CN.UTF-8 LC_ALL=zh_CN.UTF-8
