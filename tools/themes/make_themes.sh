#!/usr/bin/env bash
# Draws the sample themes into data/themes: twelve month backgrounds per theme and the theme archives
# (settings, left-margin picture, holiday icon). Builds the maker in build-tools/ of its own; run by
# hand when a theme changes (the files are kept in the repository). The same sources give the same
# bytes.
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/../../scripts/setup"
orvella_install
ORVELLA_BUILD="$ORVELLA_ROOT/build-tools"
orvella_build -DORVELLA_TESTS=OFF -DORVELLA_BENCHMARKS=OFF -DORVELLA_TOOLS=ON
rm -rf "$ORVELLA_ROOT/data/themes"
# The archive keeps each file's full name and its time as the local time of day: one working folder
# and one time zone for every maker.
working=/tmp/orvella-sample-themes
rm -rf "$working"
mkdir -m 700 "$working"
TZ=UTC QT_QPA_PLATFORM=offscreen "$ORVELLA_BUILD/tools/make_sample_themes" "$ORVELLA_ROOT/data" "$working"
rm -rf "$working"
du -sh "$ORVELLA_ROOT/data/themes"
