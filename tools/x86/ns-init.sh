#!/usr/bin/env bash
# Pid 1 of the namespace made by x86_namespace: its own /proc and binfmt_misc
# instance (qemu-i386 runs every i386 program, the host's binfmt_misc is not
# touched), the i386 root made ready for chroot, then COMMAND runs on the host
# side with TOLVANE_X86_ROOT naming the root. Everything ends with the namespace.
#   ns-init.sh --probe                 only checks that the kernel allows all this
#   ns-init.sh --write -- COMMAND...   the root itself (setup stages change it)
#   ns-init.sh [--bind DIR]... -- COMMAND...
#                                      a throw-away overlay of the root, so runs
#                                      never change it and parallel runs never meet;
#                                      each DIR is bound in at its own path
set -euo pipefail
. "$(dirname "$0")/lib.sh"
mode=overlay binds=()
while [ $# -gt 0 ]; do
  case $1 in
    --probe) mode=probe ;;
    --write) mode=write ;;
    --bind) binds+=("$(realpath "$2")"); shift ;;
    --) shift; break ;;
    *) break ;;
  esac
  shift
done

mount -t proc proc /proc || x86_die "cannot mount /proc in a new pid namespace"
mount -t binfmt_misc binfmt_misc /proc/sys/fs/binfmt_misc 2>/dev/null ||
  x86_die "this kernel has no binfmt_misc instance per user namespace (Linux 6.7 or later needed)"
[ "$mode" = probe ] && exit 0

[ -x "$X86_QEMU" ] || x86_die "$X86_QEMU is missing: run tools/x86/setup-root.sh"
magic='\x7fELF\x01\x01\x01\x00\x00\x00\x00\x00\x00\x00\x00\x00\x02\x00\x03\x00'
mask='\xff\xff\xff\xff\xff\xfe\xfe\x00\xff\xff\xff\xff\xff\xff\xff\xff\xfe\xff\xff\xff'
# F: the kernel opens qemu-i386 now, so it need not exist inside the root.
printf '%s' ":qemu-i386:M::$magic:$mask:$X86_QEMU:F" >/proc/sys/fs/binfmt_misc/register ||
  x86_die "cannot register qemu-i386 in the private binfmt_misc"

root=$X86_ROOT
if [ "$mode" = overlay ]; then
  run=$X86_CACHE/run
  mount -t tmpfs tmpfs "$run" || x86_die "cannot mount a tmpfs on $run"
  mkdir "$run/upper" "$run/work" "$run/root"
  mount -t overlay overlay -o "lowerdir=$X86_ROOT,upperdir=$run/upper,workdir=$run/work" "$run/root" ||
    x86_die "cannot mount an overlay of $X86_ROOT in a user namespace"
  root=$run/root
fi
mount -t proc proc "$root/proc"
mount --rbind /dev "$root/dev"
mount --rbind /sys "$root/sys"
if [ "$mode" = overlay ]; then
  if [ -d /tmp/.X11-unix ]; then
    mkdir -p "$root/tmp/.X11-unix"
    mount --bind /tmp/.X11-unix "$root/tmp/.X11-unix"
  fi
  for d in "${binds[@]}"; do
    mkdir -p "$root$d"
    mount --rbind "$d" "$root$d"
  done
fi
export TOLVANE_X86_ROOT=$root
exec "$@"
