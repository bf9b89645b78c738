#!/usr/bin/env bash
# run-in-root.sh [--bind DIR]... [--host] [--] COMMAND [ARG]...
# Runs COMMAND in one private namespace with the i386 root (made by
# setup-root.sh): by default inside the root, with a clean environment (the
# Wine variables, DISPLAY, TOLVANE_*); with --host as a host program of the
# namespace that starts programs of the root through tools/x86/in-root (so a
# host tool such as ctest can drive many of them). Each DIR is bound in at its
# own path; /tmp/.X11-unix is bound for Xvfb. One persistent wineserver serves
# every Wine program of the invocation; the root itself is never changed.
set -euo pipefail
. "$(dirname "$0")/lib.sh"
binds=() host=
while [ $# -gt 0 ]; do
  case $1 in
    --bind) binds+=(--bind "$2"); shift 2 ;;
    --host) host=1; shift ;;
    --) shift; break ;;
    *) break ;;
  esac
done
[ $# -gt 0 ] || x86_die "usage: run-in-root.sh [--bind DIR]... [--host] [--] COMMAND [ARG]..."
[ -f "$X86_STAMPS/prefix" ] || x86_die "no i386 root in $X86_CACHE: run tools/x86/setup-root.sh"
[ -n "$host" ] || set -- "$X86_TOOLS/in-root" "$@"
x86_namespace "$X86_TOOLS/ns-init.sh" "${binds[@]}" -- "$X86_TOOLS/with-wineserver" "$@"
