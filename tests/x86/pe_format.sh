#!/usr/bin/env bash
# Every program of the build is a Windows executable for its flavour's machine
# that needs only Windows' own DLLs (the C++ runtime, libgcc and winpthread are
# linked in: a user's machine has none of them). The installer is a GUI
# program, the GoogleTest programs are console ones.
set -uo pipefail
build=${TOLVANE_BUILD:?} flavour=${TOLVANE_FLAVOUR:?}
case $flavour in
  x86) format='PE32 executable' machine='Intel 80386' objdump=i686-w64-mingw32-objdump ;;
  x64) format='PE32+ executable' machine='x86-64' objdump=x86_64-w64-mingw32-objdump ;;
  *) echo "unknown flavour $flavour"; exit 1 ;;
esac
gtests=$(ctest --test-dir "$build" --show-only=json-v1 | grep -oE '[^"/]+\.exe"' | tr -d '"' | sort -u)

faults=0
fault() { echo "FAULT: $*"; faults=$((faults + 1)); }
shopt -s nullglob
exes=("$build"/*.exe)
[ ${#exes[@]} -gt 0 ] || fault "no programs in $build"
for exe in "${exes[@]}"; do
  name=$(basename "$exe")
  kind=$(file -b "$exe")
  case $kind in
    "$format ("*") $machine"*) ;;
    *) fault "$name: $kind (expected $format, $machine)" ;;
  esac
  if [ "$name" = TolvaneSetup.exe ]; then want=GUI
  elif grep -qxF "$name" <<<"$gtests"; then want=console
  else want=
  fi
  [ -z "$want" ] || [[ $kind == *"($want)"* ]] || fault "$name: $kind (expected $want)"
  foreign=$("$objdump" -p "$exe" | sed -n 's/^\s*DLL Name: //p' | grep -iE '^(lib|zlib)' | tr '\n' ' ')
  [ -z "$foreign" ] || fault "$name needs DLLs that Windows does not have: $foreign"
done
# The installer's own resources: the icon, the version texts (UTF-16 in the
# Chinese PRC block of code page 1200) and a manifest for this machine.
setup=$build/TolvaneSetup.exe
if [ -f "$setup" ]; then
  utf16() { printf '%s' "$1" | iconv -f UTF-8 -t UTF-16LE | od -An -tx1 | tr -d ' \n'; }
  hex=$(od -An -tx1 -v "$setup" | tr -d ' \n')
  for text in 080404B0 FileDescription Tolvane安装程序 Comments Corvessa DEFAULT_ICON; do
    [[ $hex == *"$(utf16 "$text")"* ]] || fault "TolvaneSetup.exe has no resource text $text"
  done
  arch=$([ "$flavour" = x86 ] && echo x86 || echo amd64)
  grep -aq 'Microsoft.Windows.Common-Controls" version="6.0.0.0"' "$setup" || fault "no common controls 6 in the manifest"
  grep -aq "processorArchitecture=\"$arch\"" "$setup" || fault "the manifest does not declare $arch"
  ! grep -aq requestedExecutionLevel "$setup" || fault "the manifest asks for an execution level"
fi
echo "checked ${#exes[@]} programs of $flavour, $faults faults"
[ "$faults" -eq 0 ]
