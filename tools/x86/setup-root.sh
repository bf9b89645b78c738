#!/usr/bin/env bash
# Builds, once, what running the shipped 32-bit programs here needs: qemu-i386
# (bookworm's own qemu is far too slow for Wine, so the one from backports),
# an i386 Debian root with wine32, the zh_CN.UTF-8 locale and a CJK font, and
# a Wine prefix in it. Each stage leaves a stamp; a finished root costs a few
# milliseconds. The host's apt sources and binfmt_misc are never changed.
set -euo pipefail
. "$(dirname "$0")/lib.sh"
suite=bookworm

stage_done() { [ -f "$X86_STAMPS/$1" ]; }
stage_end() { touch "$X86_STAMPS/$1"; }
# quietly COMMAND...: output to the stage's log, shown only when it fails.
quietly() {
  "$@" >"$log" 2>&1 || { tail -n 30 "$log" >&2; x86_die "$stage failed (log: $log)"; }
}
begin() { stage=$1 log=$X86_LOGS/$1.log; echo "x86: $2" >&2; }

host_packages() {
  local p missing=()
  for p in debootstrap file; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
  done
  [ ${#missing[@]} -eq 0 ] && return
  echo "x86: installing ${missing[*]}" >&2
  apt-get update -qq >/dev/null 2>&1 || true
  DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null 2>&1 ||
    x86_die "cannot install ${missing[*]}"
}

# The Debian mirror this machine already uses, from its own apt configuration.
mirror() {
  apt-cache policy | awk '$2 ~ /^https?:/ && $3 ~ /\/main$/ && $2 !~ /security/ { print $2; exit }'
}

fetch_qemu() {
  begin qemu "fetching qemu-i386 from $suite-backports"
  local apt=$X86_CACHE/apt opts
  rm -rf "$apt"; mkdir -p "$apt/lists/partial" "$apt/cache/archives/partial" "$apt/deb"
  echo "deb $MIRROR $suite-backports main" >"$apt/sources.list"
  opts=(-o "Dir::Etc::SourceList=$apt/sources.list" -o Dir::Etc::SourceParts=/dev/null
        -o "Dir::State::Lists=$apt/lists" -o "Dir::Cache=$apt/cache"
        -o Dir::State::status=/dev/null -o APT::Architectures::=amd64)
  quietly apt-get "${opts[@]}" update
  (cd "$apt/deb" && quietly apt-get "${opts[@]}" download "qemu-user/$suite-backports")
  dpkg-deb --fsys-tarfile "$apt"/deb/qemu-user_*.deb | tar -xO ./usr/bin/qemu-i386 >"$X86_QEMU.new"
  # The F flag hands the kernel this file before the chroot: it must need no libraries.
  file -L "$X86_QEMU.new" | grep -qE 'static(-pie)? linked|statically linked' || x86_die "qemu-i386 from $suite-backports is not static"
  chmod 755 "$X86_QEMU.new"; mv "$X86_QEMU.new" "$X86_QEMU"
  rm -rf "$apt"
  stage_end qemu
}

first_stage() {
  begin debootstrap "making the i386 root (first stage)"
  rm -rf "$X86_ROOT"
  quietly debootstrap --foreign --arch=i386 --variant=minbase "$suite" "$X86_ROOT" "$MIRROR"
  stage_end debootstrap
}

# in_root COMMAND...: runs a shell command in the root itself, under qemu.
in_root() {
  x86_namespace "$X86_TOOLS/ns-init.sh" --write -- \
    chroot "$X86_ROOT" /usr/bin/env -i PATH=/usr/sbin:/usr/bin:/sbin:/bin HOME=/root \
    DEBIAN_FRONTEND=noninteractive "$@"
}

second_stage() {
  begin second-stage "making the i386 root (second stage, emulated)"
  # A failed second stage leaves a root it cannot finish: start over next time.
  rm -f "$X86_STAMPS/debootstrap"
  # container=lxc: debootstrap then uses the bound /dev instead of mknod,
  # which a user namespace may not do.
  quietly in_root container=lxc /debootstrap/debootstrap --second-stage
  stage_end debootstrap
  stage_end second-stage
}

packages() {
  begin packages "installing wine32, the zh_CN.UTF-8 locale and a CJK font in the root"
  quietly in_root /bin/sh -ec '
    apt-get update -qq
    apt-get install -y -qq --no-install-recommends wine32 wine locales fonts-wqy-microhei
    echo "zh_CN.UTF-8 UTF-8" >/etc/locale.gen
    locale-gen
    apt-get clean
    rm -rf /var/lib/apt/lists/*'
  stage_end packages
}

prefix() {
  begin prefix "making the Wine prefix in the root"
  # HOME first: a new prefix links its Desktop and Documents to it. Managed=N:
  # without a window manager Wine then sets the focus itself.
  quietly in_root "${x86_env[@]}" /bin/sh -ec '
    rm -rf "$WINEPREFIX" "$HOME"
    mkdir -p "$HOME/Desktop"
    wine wineboot -i
    wine reg add "HKCU\\Software\\Wine\\X11 Driver" /v Managed /t REG_SZ /d N /f
    wineserver -w'
  stage_end prefix
}

[ "$(id -u)" = 0 ] || x86_die "setup-root.sh needs root (namespaces with all ids mapped)"
mkdir -p "$X86_CACHE" "$X86_STAMPS" "$X86_LOGS" "$X86_CACHE/run"
exec 9>"$X86_CACHE/lock"
flock 9
x86_namespace "$X86_TOOLS/ns-init.sh" --probe || exit 1
stage_done prefix && exit 0

host_packages
MIRROR=$(mirror)
[ -n "$MIRROR" ] || x86_die "no Debian mirror found in this machine's apt configuration"
start=$(date +%s)
stage_done qemu || fetch_qemu
stage_done debootstrap || first_stage
stage_done second-stage || second_stage
stage_done packages || packages
prefix
echo "x86: root ready in $(( $(date +%s) - start )) s ($(du -sh "$X86_CACHE" | cut -f1))" >&2
