#!/usr/bin/env bash
# Makes a 32-bit Wine prefix at PREFIX in which the stand-in JV-Link control is registered
# (ProgID "JVDTLab.JVLink") and serves the feed folder FEED, for running the JV-Link host
# without a subscription. DLL is the stand-in (default: the build tree's). Safe to run
# again on the same prefix: it registers the stand-in and sets the feed anew.
# Usage: scripts/standin-prefix.sh PREFIX FEED [DLL]
set -euo pipefail
if [ $# -lt 2 ] || [ $# -gt 3 ]; then
  echo "usage: $0 PREFIX FEED [DLL]" >&2
  exit 2
fi
root=$(cd "$(dirname "$0")/.." && pwd)
prefix=$(realpath -m "$1")
feed=$(realpath -m "$2")
dll=$(realpath -m "${3:-$root/build/windows/quorvane-jvlink-standin.dll}")
for tool in wine wineboot wineserver; do
  command -v "$tool" >/dev/null || { echo "$0: $tool is not installed (scripts/install-deps.sh)" >&2; exit 1; }
done
[ -f "$dll" ] || { echo "$0: no stand-in at $dll (scripts/build.sh makes it)" >&2; exit 1; }
[ -d "$feed" ] || echo "$0: note: the feed folder $feed does not exist yet" >&2

export WINEPREFIX="$prefix" WINEARCH=win32 WINEDEBUG=-all
# No Mono or Gecko installer prompts, and no window: nothing here needs a display.
export WINEDLLOVERRIDES="mscoree,mshtml="
unset DISPLAY WAYLAND_DISPLAY

mkdir -p "$prefix"
if [ ! -f "$prefix/system.reg" ]; then
  wineboot -i >/dev/null 2>&1
  wineserver -w
fi
wine regsvr32 /s "$(winepath -w "$dll")"
wine reg add 'HKCR\CLSID\{2AB1774D-0C41-11D7-916F-0003479BEB3F}' /v Feed /t REG_SZ \
     /d "$(winepath -w "$feed")" /f >/dev/null
wineserver -w
echo "stand-in JV-Link registered in $prefix, serving $feed" >&2
