#!/usr/bin/env bash
# Takes the user guide's pictures from the program itself (data/guide/<language>/images/): its windows
# in each language on a display of their own (Xvfb with openbox). Builds the picture taker in
# build-tools/ of its own; run by hand when a window changes (the pictures are kept in the repository).
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/../../scripts/setup"
orvella_install
ORVELLA_BUILD="$ORVELLA_ROOT/build-tools"
orvella_build -DORVELLA_TESTS=OFF -DORVELLA_BENCHMARKS=OFF -DORVELLA_TOOLS=ON

pids=()
cleanup() {
  for pid in "${pids[@]}"; do kill "$pid" 2>/dev/null || true; done
  wait 2>/dev/null || true
}
trap cleanup EXIT
display=":$((90 + RANDOM % 100))"
Xvfb "$display" -screen 0 1024x768x24 -nolisten tcp >/dev/null 2>&1 &
pids+=($!)
for _ in $(seq 50); do xdpyinfo -display "$display" >/dev/null 2>&1 && break; sleep 0.1; done
DISPLAY="$display" openbox >/dev/null 2>&1 &
pids+=($!)
sleep 1
DISPLAY="$display" QT_QPA_PLATFORM=xcb LANG=C.UTF-8 TZ=Europe/Warsaw \
  "$ORVELLA_BUILD/tools/guide_pictures" "$ORVELLA_BUILD/bin" "$ORVELLA_ROOT/data/guide"
du -sh "$ORVELLA_ROOT"/data/guide/*/images
