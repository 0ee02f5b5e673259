#!/usr/bin/env bash
# Builds the picture generator with libuemf (Debian: libuemf-dev) and writes the default pictures into
# data/. Run by hand when a picture changes; the generated files are kept in the repository.
set -euo pipefail
here="$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)"
root="$(cd "$here/../.." && pwd)"
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
gcc -std=c99 -O2 -Wall -Wextra -o "$work/draw_pictures" "$here/draw_pictures.c" -luemf -lm
"$work/draw_pictures" "$work"
mkdir -p "$root/data/images"
cp "$work/band_music.wmf" "$work/flower.wmf" "$root/data/images/"
cp "$work/bierdony.wmf" "$work/kwiatek.wmf" "$root/data/"
ls -l "$root/data/images/band_music.wmf" "$root/data/images/flower.wmf" "$root/data/bierdony.wmf" \
  "$root/data/kwiatek.wmf"

# Test samples in the habits of other writers (kept small, in tests/data/metafile).
gcc -std=gnu99 -O2 -Wall -Wextra -o "$work/draw_samples" "$here/draw_samples.c" -luemf -lm
mkdir -p "$root/tests/data/metafile"
"$work/draw_samples" "$root/tests/data/metafile"
