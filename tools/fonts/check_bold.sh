#!/usr/bin/env bash
# Renders the page's bold text through the headless export at 96 and 300 dpi and in PDF (rasterised
# with pdftoppm at 300 dpi) and sets the same parts of each side by side, to compare by eye:
#   build-fonts/bold_year.png   the year label (SF Intellivised Outline, bold, 46 points)
#   build-fonts/bold_days.png   the first weeks of January, every theme font bold: weekdays in
#                               SF Intellivised, Sunday and a national holiday in SF Intellivised
#                               Outline, a user holiday, the day texts in Arial
# Needs a built program (scripts/run or scripts/test) and poppler-utils.
set -euo pipefail

ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)"
PROGRAM="${ORVELLA_PROGRAM:-$ROOT/build/bin/orvella}"
WORK="${FONT_WORK:-$ROOT/build-fonts}"
mkdir -p "$WORK"
command -v pdftoppm >/dev/null || { echo "pdftoppm is missing: apt-get install poppler-utils" >&2; exit 1; }

# A theme as a settings file, which the export opens as File > Open would: every font bold.
theme="$WORK/bold_theme.hol"
{
  printf '[1]\r\n1=Nowy Rok\x1en\r\n6=Trzech Kroli\x1eu\r\n'
  for font in font_holiday font_weekday font_user_holiday font_forenames; do
    printf '[%s]\r\nstyle_bold=1\r\n' "$font"
  done
  printf '[font_forenames]\r\nname=Arial\r\nsize=10\r\n'
} >"$theme"

g++ -std=c++17 -fPIC -O1 -o "$WORK/side_by_side" "$ROOT/tools/fonts/side_by_side.cpp" $(pkg-config --cflags --libs Qt6Gui)

for dpi in 96 300; do
  "$PROGRAM" --export "$WORK/bold-${dpi}dpi.png" --year 2017 --month 1 --theme "$theme" --dpi "$dpi"
done
"$PROGRAM" --export "$WORK/bold.pdf" --year 2017 --month 1 --theme "$theme"
pdftoppm -r 300 -png -singlefile "$WORK/bold.pdf" "$WORK/bold-pdf-300dpi"

pages=("$WORK/bold-96dpi.png" "$WORK/bold-300dpi.png" "$WORK/bold-pdf-300dpi.png")
# Parts of the 561 × 397 page in layout units, as fractions of its width and height.
part() { awk -v l="$1" -v t="$2" -v w="$3" -v h="$4" 'BEGIN { printf "%f %f %f %f", l/561, t/397, w/561, h/397 }'; }
# shellcheck disable=SC2046
QT_QPA_PLATFORM=offscreen "$WORK/side_by_side" "$WORK/bold_year.png" $(part 420 18 125 45) "${pages[@]}"
# shellcheck disable=SC2046
QT_QPA_PLATFORM=offscreen "$WORK/side_by_side" "$WORK/bold_days.png" $(part 265 75 280 105) "${pages[@]}"
echo "Look at $WORK/bold_year.png and $WORK/bold_days.png"
