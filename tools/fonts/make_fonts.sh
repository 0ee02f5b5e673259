#!/usr/bin/env bash
# Builds the regular and bold faces of "SF Intellivised" and "SF Intellivised Outline" into data/fonts
# from DejaVu Sans Condensed Bold, installing fontforge's Python module and the DejaVu fonts when they
# are missing, then renders a sample of all four into build-fonts/font_sample.png for a look.
set -euo pipefail

ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)"
OUT="$ROOT/data/fonts"
WORK="${FONT_WORK:-$ROOT/build-fonts}"
PACKAGES=(python3-fontforge fonts-dejavu-core qt6-base-dev g++ pkg-config)

missing=()
for p in "${PACKAGES[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if [ "${#missing[@]}" -gt 0 ]; then
  sudo=""
  [ "$(id -u)" -ne 0 ] && sudo="sudo"
  $sudo apt-get update -qq
  DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi

# The licence travels with the fonts; its text is also put into each font's name table.
LICENSE="$OUT/LICENSE-DejaVu-Bitstream-Vera.txt"
mkdir -p "$OUT" "$WORK"
[ -f "$LICENSE" ] || { echo "missing $LICENSE" >&2; exit 1; }

# Fixed time stamps make the fonts byte-identical from run to run.
export SOURCE_DATE_EPOCH="${SOURCE_DATE_EPOCH:-1704067200}"

# Debian's fontforge module belongs to the system Python, whatever python3 comes first in PATH.
FONTS=("$OUT/sfintellivised.ttf" "$OUT/sfintellivisedbold.ttf" "$OUT/sfintellivisedoutline.ttf"
       "$OUT/sfintellivisedoutlinebold.ttf")
/usr/bin/python3 "$ROOT/tools/fonts/make_fonts.py" "$LICENSE" "${FONTS[@]}" 2> >(grep -v -e '^Program root' \
  -e 'kern' -e 'Omega' -e 'U+2126' -e 'Use-my-metrics' >&2)

g++ -std=c++17 -fPIC -O1 -o "$WORK/font_sample" "$ROOT/tools/fonts/font_sample.cpp" \
  $(pkg-config --cflags --libs Qt6Gui)
QT_QPA_PLATFORM=offscreen "$WORK/font_sample" "${FONTS[@]}" "$WORK/font_sample.png"
ls -l "$OUT"
