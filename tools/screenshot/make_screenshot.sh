#!/usr/bin/env bash
# The picture software centres show (packaging/screenshots/orvella.png, named in the AppStream file):
# the program in English on a display of its own (Xvfb with openbox), the year preview of a sample
# theme, as tall as a whole page at the preview's width. Needs a built program (scripts/run or
# scripts/test).
set -euo pipefail
ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)"
BIN="${ORVELLA_BIN:-$ROOT/build/bin}"
OUT="$ROOT/packaging/screenshots/orvella.png"
work="$(mktemp -d)"
pids=()
cleanup() {
  for pid in "${pids[@]}"; do kill "$pid" 2>/dev/null || true; done
  wait 2>/dev/null || true
  rm -rf "$work"
}
trap cleanup EXIT

g++ -std=c++17 -fPIC -O1 -o "$work/grab_screen" "$ROOT/tools/screenshot/grab_screen.cpp" $(pkg-config --cflags --libs Qt6Gui)
# A copy of the program of its own, so that nothing it writes lands in the build.
cp -r "$BIN" "$work/program"
rm -rf "$work/program/temp" "$work/program/config.ini"

display=":$((90 + RANDOM % 100))"
Xvfb "$display" -screen 0 1280x1024x24 -nolisten tcp >/dev/null 2>&1 &
pids+=($!)
for _ in $(seq 50); do xdpyinfo -display "$display" >/dev/null 2>&1 && break; sleep 0.1; done
DISPLAY="$display" openbox >/dev/null 2>&1 &
pids+=($!)
sleep 1
(cd "$work/program" && DISPLAY="$display" LANG=en_GB.UTF-8 LANGUAGE= LC_ALL= XDG_CONFIG_HOME="$work/config" \
  ./orvella --year-preview themes/gory.hol >/dev/null 2>&1) &
pids+=($!)
# The preview composes its twelve months as it shows them.
sleep "${SCREENSHOT_WAIT:-12}"
mkdir -p "$(dirname "$OUT")"
DISPLAY="$display" QT_QPA_PLATFORM=xcb "$work/grab_screen" "$OUT"
echo "$OUT"
