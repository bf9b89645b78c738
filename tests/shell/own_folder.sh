#!/usr/bin/env bash
# The own folder of programs whose paths hold double-byte characters whose
# second byte is 0x5C (乗 is 81 5C in code page 936), and of a program whose
# path does not fit MAX_PATH. Each case copies the service runner there and
# asks it for its own folder, archive path and current directory.
set -uo pipefail
. "$(dirname "$0")/../harness/lib.sh"
cli=$TOLVANE_BUILD/tolvane-shell-cli.exe
work=$(tolvane_work_folder) || tolvane_fail "no work folder"
windows_work=$(tolvane_windows_path "$work") || tolvane_fail "no Windows path for $work"

expect() {  # FOLDER EXE EXPECTED-OWN-FOLDER
  local got want="own=$3"$'\n'"archive=$3\\qzr.dat"
  mkdir -p "$work/$1" && cp "$cli" "$work/$1/$2" || tolvane_fail "cannot copy the runner to $1/$2"
  tolvane_start "$work/$1/$2" own-folder
  tolvane_check "$1/$2 runs" tolvane_wait_exit "$TOLVANE_PID"
  got=$({ iconv -f GBK -t UTF-8 "$TOLVANE_OUT" 2>/dev/null || echo '(not code page 936 text)'; } | tr -d '\r')
  if [ -n "$3" ]; then
    want+=$'\n'"cwd=$3"  # the start-up makes it the current directory
  else
    got=$(grep -v '^cwd=' <<<"$got")  # no own folder: the directory stays
  fi
  tolvane_check "$1/$2" tolvane_equal "$want" "$got"
}

# The 0x5C byte in the program's own name is after the true last separator:
# a byte-wise search would cut the name in two.
expect 乗 乗.exe "$windows_work\\乗"
expect 安装乗 安装乗程序.exe "$windows_work\\安装乗"
expect plain 表乗.exe "$windows_work\\plain"
# A path cut off at MAX_PATH would name another folder: no own folder at all.
long=$(printf 'l%.0s' $(seq 120))/$(printf 'm%.0s' $(seq 120))
expect "$long" tolvane-shell-cli.exe ""
