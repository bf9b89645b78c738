#!/usr/bin/env bash
# The whole install against the unpacker alone: TolvaneSetup.exe on Wine under
# Xvfb, from the click on 立即安装 to the end of its process, against
# `tolvane-unpack.exe ARCHIVE DEST` on the same payload on the same drive;
# median of 5 runs each (BENCH_RUNS; BENCH_PAYLOADS picks "big", "many"). Two payloads: the unpacking benchmark's
# (~150 MB in ~2,000 files) and 10,000 small files, where progress reports
# come most often. CPU seconds: the Windows process (for the installer, less
# what it used before the click) plus the wineserver's share.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
. "$here/../../tests/harness/env.sh"
root=$TOLVANE_ROOT
work=$root/build/bench/install
runs=${BENCH_RUNS:-5}
setup=$root/build/x64/TolvaneSetup.exe
unpack=$root/build/x64/tolvane-unpack.exe
[ -x "$setup" ] && [ -x "$unpack" ] || { echo "bench: build first (make build)" >&2; exit 1; }

mkdir -p "$work"
# make_zip NAME GENERATOR: a payload made once and kept; zip -r puts each
# folder entry before what is inside it.
make_zip() {
  [ -f "$work/$1.zip" ] && return 0
  echo "bench: making the $1 payload (once) in $work" >&2
  rm -rf "$work/tree"
  python3 "$2" "$work/tree"
  (cd "$work/tree" && zip -q -r ../"$1".zip.part .) && mv "$work/$1.zip.part" "$work/$1.zip"
  rm -rf "$work/tree"
}
make_zip big "$here/../unpack/make_payload.py"
make_zip many "$here/make_many.py"

if [ -z "${DISPLAY:-}" ]; then
  . "$root/tests/harness/session.sh"
  tolvane_session_start
fi
drive=$work/d
rm -rf "$drive" && mkdir -p "$drive/setup" "$HOME/Desktop"
cp "$setup" "$drive/setup/"
link=$WINEPREFIX/dosdevices/d:
wineserver -k >/dev/null 2>&1 || true
wineserver -w >/dev/null 2>&1 || true
ln -sfn "$drive" "$link"
wine reg add 'HKLM\Software\Wine\Drives' /v d: /t REG_SZ /d hd /f >/dev/null 2>&1
wineserver -w >/dev/null 2>&1 || true
wineserver -p >/dev/null 2>&1
wine cmd /c exit >/dev/null 2>&1 </dev/null
finish() {
  rm -f "$link" "$HOME/Desktop/Tolvane.lnk"
  wine reg delete 'HKLM\Software\Wine\Drives' /v d: /f >/dev/null 2>&1 || true
  wineserver -k >/dev/null 2>&1 || true
  rm -rf "$drive"
}
trap finish EXIT

serverdir=server-$(stat -c '%D' "$WINEPREFIX")-$(printf '%x' "$(stat -c '%i' "$WINEPREFIX")")
server=
for p in $(pgrep wineserver); do
  [[ "$(readlink "/proc/$p/cwd")" == */"$serverdir" ]] && server=$p
done
[ -n "$server" ] || echo "bench: wineserver not found; its CPU time is left out" >&2
hz=$(getconf CLK_TCK)
ticks() { [ -n "$1" ] && awk '{ print $14 + $15 }' "/proc/$1/stat" || echo 0; }
now() { date +%s.%N; }

# install_run: one install; prints "wall cpu".
install_run() {
  rm -rf "$drive/tolv" "$HOME/Desktop/Tolvane.lnk"
  sync
  (cd "$drive/setup" && exec /usr/bin/time -f '%U %S' -o "$work/time.txt" wine ./TolvaneSetup.exe) \
    >/dev/null 2>&1 &
  local timer=$! window pid before server_before t0 t1 user sys
  for _ in $(seq 200); do
    window=$(xdotool search --onlyvisible --class '^tolvanesetup\.exe$' 2>/dev/null | head -n 1) && [ -n "$window" ] && break
    sleep 0.05
  done
  [ -n "$window" ] || { echo "bench: no installer window" >&2; exit 1; }
  sleep 0.3
  pid=$(pgrep -P "$timer" | head -n 1)
  eval "$(xdotool getwindowgeometry --shell "$window")"
  before=$(ticks "$pid") server_before=$(ticks "$server")
  t0=$(now)
  xdotool mousemove $((X + 310)) $((Y + 398)) click 1
  wait "$timer"
  t1=$(now)
  read -r user sys <"$work/time.txt"
  awk -v t0="$t0" -v t1="$t1" -v u="$user" -v s="$sys" -v b="$before" -v sb="$server_before" \
      -v sa="$(ticks "$server")" -v hz="$hz" 'BEGIN { printf "%.3f %.3f\n", t1 - t0, u + s - b / hz + (sa - sb) / hz }'
}

# unpack_run: the unpacker alone into D:\out; prints "wall cpu".
unpack_run() {
  rm -rf "$drive/out"
  sync
  local server_before t0 t1 user sys
  server_before=$(ticks "$server")
  t0=$(now)
  /usr/bin/time -f '%U %S' -o "$work/time.txt" wine "$unpack" 'D:\setup\qzr.dat' 'D:\out' >/dev/null 2>&1
  t1=$(now)
  read -r user sys <"$work/time.txt"
  awk -v t0="$t0" -v t1="$t1" -v u="$user" -v s="$sys" -v sb="$server_before" -v sa="$(ticks "$server")" \
      -v hz="$hz" 'BEGIN { printf "%.3f %.3f\n", t1 - t0, u + s + (sa - sb) / hz }'
}

median() { sort -n | awk '{ v[NR] = $1 } END { print v[int((NR + 1) / 2)] }'; }

for payload in ${BENCH_PAYLOADS:-big many}; do
  cp "$work/$payload.zip" "$drive/setup/qzr.dat"
  : >"$work/$payload-install.runs"
  : >"$work/$payload-unpack.runs"
  # Alternated, so that a change of load on the machine meets both alike.
  for _ in $(seq "$runs"); do
    unpack_run >>"$work/$payload-unpack.runs"
    install_run >>"$work/$payload-install.runs"
  done
  diff -rq "$drive/tolv" "$drive/out" >/dev/null || { echo "bench: the install differs from the unpacker's tree" >&2; exit 1; }
  [ -f "$HOME/Desktop/Tolvane.lnk" ] || { echo "bench: the install wrote no shortcut" >&2; exit 1; }
  printf '%s payload: %s entries, %s bytes packed; median of %s runs\n' "$payload" \
    "$(unzip -Z1 "$work/$payload.zip" | wc -l)" "$(stat -c %s "$work/$payload.zip")" "$runs"
  for kind in unpack install; do
    printf '  %-8s wall %7.3f s  cpu %7.3f s\n' "$kind" \
      "$(awk '{ print $1 }' "$work/$payload-$kind.runs" | median)" "$(awk '{ print $2 }' "$work/$payload-$kind.runs" | median)"
  done
  printf '  install/unpack: wall %.2f, cpu %.2f\n' \
    "$(awk -v a="$(awk '{ print $1 }' "$work/$payload-install.runs" | median)" -v b="$(awk '{ print $1 }' "$work/$payload-unpack.runs" | median)" 'BEGIN { print a / b }')" \
    "$(awk -v a="$(awk '{ print $2 }' "$work/$payload-install.runs" | median)" -v b="$(awk '{ print $2 }' "$work/$payload-unpack.runs" | median)" 'BEGIN { print a / b }')"
done
printf 'load average: %s\n' "$(cut -d' ' -f1-3 /proc/loadavg)"
