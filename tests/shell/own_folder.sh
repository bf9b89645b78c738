#!/usr/bin/env bash
# The own folder of programs whose paths hold double-byte characters whose
# second byte is 0x5C (乗 is 81 5C in code page 936), and of a program whose
# path does not fit MAX_PATH. Each case copies the service runner there and
# asks it for its own folder, archive path and current directory.
set -euo pipefail
. "$(dirname "$0")/checks.sh"
windows_work=$(wine winepath -w "$work" 2>/dev/null)

# own_folder FOLDER EXE: prints the runner's report as UTF-8.
own_folder() {
  mkdir -p "$work/$1"
  cp "$cli" "$work/$1/$2"
  (cd "$work/$1" && wine "./$2" own-folder >"$work/report" 2>/dev/null </dev/null)
  { iconv -f GBK -t UTF-8 "$work/report" 2>/dev/null || echo '(not code page 936 text)'; } | tr -d '\r'
}

expect() {  # FOLDER EXE EXPECTED-OWN-FOLDER
  local got want
  got=$(own_folder "$1" "$2")
  want="own=$3"$'\n'"archive=$3\\qzr.dat"
  if [ -n "$3" ]; then
    want+=$'\n'"cwd=$3"  # the start-up makes it the current directory
  else
    got=$(grep -v '^cwd=' <<<"$got")  # no own folder: the directory stays
  fi
  check "$1/$2" "$got" "$want"
}

# The 0x5C byte in the program's own name is after the true last separator:
# a byte-wise search would cut the name in two.
expect 乗 乗.exe "$windows_work\\乗"
expect 安装乗 安装乗程序.exe "$windows_work\\安装乗"
expect plain 表乗.exe "$windows_work\\plain"
# A path cut off at MAX_PATH would name another folder: no own folder at all.
long=$(printf 'l%.0s' $(seq 120))/$(printf 'm%.0s' $(seq 120))
expect "$long" tolvane-shell-cli.exe ""

all_passed
