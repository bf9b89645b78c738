# Sourced by the tools that run the shipped 32-bit programs: where the i386 root
# lives, the environment its programs see, and how a private namespace is made.
# The root stays outside any checkout so that every clone on this machine finds
# it again.
X86_CACHE=${TOLVANE_X86_CACHE:-/var/cache/tolvane-x86}
X86_ROOT=$X86_CACHE/root
X86_QEMU=$X86_CACHE/qemu-i386
X86_STAMPS=$X86_CACHE/stamps
X86_LOGS=$X86_CACHE/logs
X86_TOOLS=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
# The Wine prefix and home inside the root.
X86_PREFIX=/opt/tolvane/prefix
X86_HOME=/opt/tolvane/home

# Everything a program in the root sees (env -i drops the rest).
x86_env=(
  PATH=/usr/local/bin:/usr/bin:/bin
  HOME=$X86_HOME
  WINEPREFIX=$X86_PREFIX
  WINEARCH=win32
  WINEDEBUG=-all
  "WINEDLLOVERRIDES=winemenubuilder.exe=d;mscoree,mshtml="
  LANG=zh_CN.UTF-8
  LC_ALL=zh_CN.UTF-8
)

x86_die() { echo "x86: $*" >&2; exit 1; }

# x86_namespace COMMAND...: runs COMMAND as pid 1 of a new user, mount and pid
# namespace in which every user and group id maps to itself (apt and dpkg in
# the root need more ids than root alone). The mapping is written from outside;
# the child waits for it, then executes COMMAND so that it gains its
# capabilities in the namespace.
x86_namespace() {
  local self pid rc
  self=$(readlink /proc/self/ns/user)
  exec 3<&0
  unshare --user --mount --pid --fork --kill-child -- /bin/bash -c \
    'until read -r _ </proc/self/uid_map; do sleep 0.01; done; exec "$@"' x86-ns "$@" <&3 3<&- &
  pid=$!
  exec 3<&-
  trap 'kill "$pid" 2>/dev/null; wait "$pid"; exit 143' TERM INT HUP
  while kill -0 "$pid" 2>/dev/null && [ "$(readlink "/proc/$pid/ns/user" 2>/dev/null)" = "$self" ]; do
    sleep 0.01
  done
  if ! { echo '0 0 4294967295' >"/proc/$pid/uid_map" && echo '0 0 4294967295' >"/proc/$pid/gid_map"; } 2>/dev/null; then
    kill "$pid" 2>/dev/null; wait "$pid" 2>/dev/null
    x86_die "cannot make a user namespace with all ids mapped (unshare --user, run as root)"
  fi
  wait "$pid"; rc=$?
  trap - TERM INT HUP
  return "$rc"
}
