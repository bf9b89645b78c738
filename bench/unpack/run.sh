#!/usr/bin/env bash
# Unpacking speed: tolvane-unpack and minizip's miniunz on Wine (x64), Info-ZIP
# unzip natively, on the same ~150 MB payload; median of 5 runs each.
# Prints wall and CPU seconds (Wine: the wine process tree plus the
# wineserver's share), peak memory of the unpacking process, and the ratios.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
. "$here/../../tests/harness/env.sh"
root=$TOLVANE_ROOT
cache=$root/build/bench/unpack
runs=${BENCH_RUNS:-5}
tolvane=$root/build/x64/tolvane-unpack.exe
miniunz=$root/build/deps/x64/bin/miniunz.exe
[ -x "$tolvane" ] && [ -f "$miniunz" ] || { echo "bench: build first (make build)" >&2; exit 1; }

mkdir -p "$cache"
if [ ! -f "$cache/payload.zip" ]; then
    echo "bench: making the payload (once) in $cache" >&2
    rm -rf "$cache/payload"
    python3 "$here/make_payload.py" "$cache/payload"
    # zip -r puts each folder entry before what is inside it.
    (cd "$cache/payload" && zip -q -r ../payload.zip.part .) && mv "$cache/payload.zip.part" "$cache/payload.zip"
    rm -rf "$cache/payload"
fi
zipfile=$cache/payload.zip
winpath() { printf 'Z:%s' "${1//\//\\}"; }

# A persistent server, so no run pays for starting Wine.
wineserver -p >/dev/null 2>&1 || true  # one may run already
wine cmd /c exit >/dev/null 2>&1 </dev/null
trap 'wineserver -k >/dev/null 2>&1 || true' EXIT
# Our prefix's server is the one working in the prefix's server folder.
serverdir=server-$(stat -c '%D' "$WINEPREFIX")-$(printf '%x' "$(stat -c '%i' "$WINEPREFIX")")
server=
for p in $(pgrep wineserver); do
    if [[ "$(readlink "/proc/$p/cwd")" == */"$serverdir" ]]; then server=$p; fi
done
[ -n "$server" ] || echo "bench: wineserver not found; its CPU time is left out" >&2

server_ticks() { [ -n "$server" ] && awk '{print $14 + $15}' "/proc/$server/stat" || echo 0; }

# measure NAME COMMAND...: one line per run "wall cpu peakKB" in $cache/NAME.runs
measure() {
    local name=$1; shift
    local dest=$cache/out-$name
    : >"$cache/$name.runs"
    for _ in $(seq "$runs"); do
        rm -rf "$dest" && mkdir -p "$dest"
        sync
        local before; before=$(server_ticks)
        /usr/bin/time -f '%e %U %S %M' -o "$cache/time.txt" "$@" >"$cache/$name.log" 2>&1 || {
            echo "bench: $name failed" >&2; cat "$cache/$name.log" >&2; exit 1; }
        local after; after=$(server_ticks)
        read -r wall user sys peak <"$cache/time.txt"
        local hz; hz=$(getconf CLK_TCK)
        awk -v w="$wall" -v u="$user" -v s="$sys" -v b="$before" -v a="$after" -v hz="$hz" -v p="$peak" \
            'BEGIN { printf "%.2f %.2f %d\n", w, u + s + (a - b) / hz, p }' >>"$cache/$name.runs"
    done
}

median() { sort -n | awk '{ v[NR] = $1 } END { print v[int((NR + 1) / 2)] }'; }
column_median() { awk -v c="$2" '{ print $c }' "$cache/$1.runs" | median; }

dest() { printf '%s' "$cache/out-$1"; }
measure tolvane wine "$tolvane" "$(winpath "$zipfile")" "$(winpath "$(dest tolvane)")"
measure miniunz wine "$miniunz" -o "$(winpath "$zipfile")" -d "$(winpath "$(dest miniunz)")"
measure unzip unzip -o -q "$zipfile" -d "$(dest unzip)"

# The three trees must be the same.
diff -rq "$(dest tolvane)" "$(dest unzip)" >/dev/null || { echo "bench: tolvane's tree differs from unzip's" >&2; exit 1; }
diff -rq "$(dest miniunz)" "$(dest unzip)" >/dev/null || { echo "bench: miniunz's tree differs from unzip's" >&2; exit 1; }

files=$(unzip -Z1 "$zipfile" | wc -l)
bytes=$(unzip -Zt "$zipfile" | awk '{ print $3 }')
printf 'payload: %s entries, %s bytes unpacked, %s bytes packed; %s runs each, median\n' \
    "$files" "$bytes" "$(stat -c %s "$zipfile")" "$runs"
printf '%-22s %8s %8s %10s\n' tool wall_s cpu_s peak_MB
for t in tolvane miniunz unzip; do
    printf '%-22s %8s %8s %10.1f\n' "$t$([ $t = unzip ] && echo ' (native)' || echo ' (wine)')" \
        "$(column_median $t 1)" "$(column_median $t 2)" "$(awk "BEGIN { print $(column_median $t 3) / 1024 }")"
done
ratio() { awk -v a="$(column_median "$1" "$3")" -v b="$(column_median "$2" "$3")" 'BEGIN { printf "%.2f", a / b }'; }
printf 'tolvane/miniunz: wall %s, cpu %s\n' "$(ratio tolvane miniunz 1)" "$(ratio tolvane miniunz 2)"
printf 'tolvane/unzip:   wall %s, cpu %s\n' "$(ratio tolvane unzip 1)" "$(ratio tolvane unzip 2)"
printf 'load average: %s\n' "$(cut -d' ' -f1-3 /proc/loadavg)"
rm -rf "$(dest tolvane)" "$(dest miniunz)" "$(dest unzip)"
