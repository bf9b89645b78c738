#!/usr/bin/env bash
# tolvane-unpack end to end: archives made by Info-ZIP's zip, the printed
# reports (GBK bytes), the files on disk and the exit statuses.
set -uo pipefail
here=$(cd "$(dirname "$0")" && pwd)
. "$here/../harness/env.sh"
build=${TOLVANE_BUILD:-$TOLVANE_ROOT/build/x64}
exe=$build/tolvane-unpack.exe
work=$build/test-tmp/unpack-harness-$$
rm -rf "$work" && mkdir -p "$work"
trap 'rm -rf "$work"' EXIT
failures=0

winpath() { printf 'Z:%s' "${1//\//\\}"; }

# check NAME EXPECTED-STATUS EXPECTED-STDOUT(UTF-8) ARGS...
check() {
    local name=$1 status=$2 expected=$3; shift 3
    wine "$exe" "$@" >"$work/out.txt" 2>"$work/err.txt"
    local got=$?
    local text; text=$(iconv -f GBK -t UTF-8 "$work/out.txt")
    if [ "$got" != "$status" ] || [ "$text" != "$expected" ]; then
        echo "FAIL $name: status $got (want $status)"; diff <(echo "$expected") <(echo "$text"); cat "$work/err.txt"
        failures=$((failures + 1))
    else
        echo "ok   $name"
    fi
}

# Three entries, a folder first, names stored in GBK as Windows archivers store them.
gbk() { printf '%s' "$1" | iconv -f UTF-8 -t GBK; }
folder=$(gbk 数据) file=$(gbk 表.txt)
mkdir -p "$work/src/$folder" && printf 'table' >"$work/src/$folder/$file" && printf 'bee' >"$work/src/b.txt"
(cd "$work/src" && zip -q ../three.zip "$folder/" "$folder/$file" b.txt)
dest=$(winpath "$work/dest")
check "three entries" 0 "0 $dest\\数据\\
33 $dest\\数据\\表.txt
66 $dest\\b.txt
100 $dest\\b.txt
result 1" "$(winpath "$work/three.zip")" "$dest"
[ "$(cat "$work/dest/数据/表.txt")" = table ] && [ "$(cat "$work/dest/b.txt")" = bee ] \
    || { echo "FAIL three entries: files"; failures=$((failures + 1)); }

check "missing archive" 2 "0 
result -1" "$(winpath "$work/none.zip")" "$(winpath "$work/never")"
[ ! -e "$work/never" ] || { echo "FAIL missing archive: destination made"; failures=$((failures + 1)); }

printf 'not a zip archive, only some text' >"$work/text.zip"
check "not an archive" 1 "0 
result 0" "$(winpath "$work/text.zip")" "$(winpath "$work/dest2")"

# A file entry whose folder is neither there nor in the archive.
(cd "$work/src" && zip -q -D ../nofolder.zip b.txt "$folder/$file")
dest=$(winpath "$work/dest3")
check "entry fails" 1 "0 $dest\\b.txt
100 $dest\\b.txt
result 0" "$(winpath "$work/nofolder.zip")" "$dest"

check "usage" 64 "" only-one-argument
grep -q '^usage: tolvane-unpack ARCHIVE DEST$' "$work/err.txt" || { echo "FAIL usage line"; failures=$((failures + 1)); }

exit $((failures > 0))
