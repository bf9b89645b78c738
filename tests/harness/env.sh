# Sourced by every script that runs Wine: one prefix, one home, all under build/.
# Nothing here depends on the developer's own prefix, display or home folder.
TOLVANE_ROOT=${TOLVANE_ROOT:-$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)}
export TOLVANE_ROOT
if [ -n "${TOLVANE_X86_ROOT:-}" ]; then
  # Inside the namespace of the 32-bit suite: the i386 root's prefix and home
  # as seen from this side, and its wine and wineserver first on PATH.
  . "$TOLVANE_ROOT/tools/x86/lib.sh"
  export WINEPREFIX=$TOLVANE_X86_ROOT$X86_PREFIX
  export HOME=$TOLVANE_X86_ROOT$X86_HOME
  export PATH=$X86_TOOLS/bin:$PATH
else
  export WINEPREFIX=$TOLVANE_ROOT/build/wine/prefix
  export HOME=$TOLVANE_ROOT/build/wine/home
  export WINEARCH=win64
fi
export WINEDEBUG=-all
export WINEDLLOVERRIDES="winemenubuilder.exe=d;mscoree,mshtml="
export LANG=zh_CN.UTF-8 LC_ALL=zh_CN.UTF-8
