#!/usr/bin/env bash
# Runs the x64 installer on a demo payload from drive D: of the test prefix.
# With a DISPLAY the window opens for you; without one, a private Xvfb is
# started, the install is driven with the mouse and screenshots go to out/demo/.
set -euo pipefail
top=$(cd "$(dirname "$0")/../.." && pwd)
build=$top/build/x64
out=$top/out/demo
interactive=${DISPLAY:+1}
export TOLVANE_BUILD=$build
. "$top/tests/harness/lib.sh"

rm -rf "$out"
mkdir -p "$out/payload/data/images" "$out/payload/docs" "$out/drive-d/setup"

# The payload: the project's small stand-in program as Tolvane.exe, a few files and folders.
cp "$build/tolvane-probe.exe" "$out/payload/Tolvane.exe"
printf '[tolvane]\nlanguage=zh-CN\n' >"$out/payload/data/config.ini"
cp "$top/assets/banner.png" "$out/payload/data/images/banner.png"
# Names in the ANSI code page, as an archive made on a Chinese Windows has them.
printf 'Tolvane 使用说明\n' >"$out/payload/docs/$(printf '说明.txt' | iconv -f UTF-8 -t GBK)"
for i in $(seq 12); do head -c 9000000 /dev/urandom | base64 -w 76 >"$out/payload/data/resource$i.bin"; done
(cd "$out/payload" && zip -q -r -X "$out/drive-d/setup/qzr.dat" data docs Tolvane.exe)
cp "$build/TolvaneSetup.exe" "$out/drive-d/setup/"

desktop=$HOME/Desktop
rm -f "$desktop/Tolvane.lnk"
tolvane_map_drive D "$out/drive-d" hd Demo
tolvane_restart_server
trap 'tolvane_unmap_drive D; tolvane_restart_server; tolvane_cleanup' EXIT

if [ -n "$interactive" ]; then
  echo "demo: the installer window is open on $DISPLAY; press 立即安装 (or Esc to leave)"
  tolvane_start "$out/drive-d/setup/TolvaneSetup.exe"
  tolvane_wait_exit "$TOLVANE_PID" 3600 >/dev/null || true
else
  tolvane_start "$out/drive-d/setup/TolvaneSetup.exe"
  wid=$(tolvane_find_window tolvanesetup.exe 20)
  read -r x y w h < <(tolvane_window_geometry "$wid")
  sleep 1
  tolvane_shot "$out/screen.png"
  convert "$out/screen.png" -crop "${w}x${h}+$x+$y" +repage "$out/1-idle.png"
  tolvane_click $((x + 310)) $((y + 398))
  # Keep the first picture in which the progress bar has grown.
  for _ in $(seq 60); do
    tolvane_shot "$out/screen.png"
    [ "$(tolvane_pixel "$out/screen.png" $((x + 20)) $((y + 364)))" != "255 255 255" ] && break
    sleep 0.05
  done
  convert "$out/screen.png" -crop "${w}x${h}+$x+$y" +repage "$out/2-installing.png"
  tolvane_wait_exit "$TOLVANE_PID" 60 >/dev/null
  sleep 1
  tolvane_shot "$out/3-after.png"
  rm -f "$out/screen.png"
fi

echo "demo: installer exit code ${TOLVANE_EXIT:-?}"
if [ -f "$out/drive-d/tolv/Tolvane.exe" ]; then
  echo "demo: installed into D:\\tolv ($out/drive-d/tolv):"
  (cd "$out/drive-d/tolv" && find . -type f ! -name '*.start.txt' | sort | sed 's/^/  /')
fi
if [ -f "$out/drive-d/tolv/Tolvane.exe.start.txt" ]; then
  echo "demo: Tolvane.exe started; its start record:"
  iconv -f GBK -t UTF-8 "$out/drive-d/tolv/Tolvane.exe.start.txt" | sed 's/^/  /'
fi
[ -f "$desktop/Tolvane.lnk" ] && echo "demo: desktop shortcut $desktop/Tolvane.lnk"
[ -z "$interactive" ] && echo "demo: screenshots in $out (1-idle.png, 2-installing.png, 3-after.png)"
exit 0
