#!/usr/bin/env bash
# Renders the program's icon (packaging/icons/orvella.svg, drawn by hand) to the PNG sizes of the
# hicolor icon theme. Needs rsvg-convert (Debian: librsvg2-bin); the PNGs are kept in the repository.
set -euo pipefail
icons="$(cd "$(dirname "${BASH_SOURCE[0]}")/../../packaging/icons" && pwd)"
for size in 16 24 32 48 64 128 256; do
  rsvg-convert --width "$size" --height "$size" --output "$icons/orvella-$size.png" "$icons/orvella.svg"
done
