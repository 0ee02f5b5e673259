// Where the sheet lands on the paper it is printed on.
#include "calendar/page/sheet_placement.h"

#include <algorithm>
#include <cmath>

namespace orvella::page {

bool samePaper(const QSizeF& aMm, const QSizeF& bMm) {
  return std::abs(aMm.width() - bMm.width()) <= 1.0 && std::abs(aMm.height() - bMm.height()) <= 1.0;
}

SheetPlacement placeSheet(const QSizeF& sheetMm, const QSizeF& paperMm, const QMarginsF& unprintableMm) {
  if (samePaper(sheetMm, paperMm) || sheetMm.isEmpty() || paperMm.isEmpty()) return {};
  const QRectF printable = QRectF(QPointF(0, 0), paperMm).marginsRemoved(unprintableMm);
  // Margins that leave nothing printable are no margins at all: the paper is all there is.
  const QRectF area =
      printable.isValid() && !printable.isEmpty() ? printable : QRectF(QPointF(0, 0), paperMm);
  SheetPlacement placement;
  placement.scale = std::min(area.width() / sheetMm.width(), area.height() / sheetMm.height());
  const QSizeF placed = sheetMm * placement.scale;
  placement.originMm = QPointF(area.left() + (area.width() - placed.width()) / 2.0,
                               area.top() + (area.height() - placed.height()) / 2.0);
  return placement;
}

QSizeF sheetSizeMm(const PageSettings& settings) { return {settings.paperWidthMm, settings.paperHeightMm}; }

QSizeF paperSizeMm(const PageSettings& settings) {
  return settings.printPaper.sizeMm.isEmpty() ? sheetSizeMm(settings) : settings.printPaper.sizeMm;
}

PrintPaper paperFor(const PageSettings& sheet, const PageSettings& chosen) {
  const QSizeF paper = paperSizeMm(chosen);
  if (samePaper(paper, sheetSizeMm(sheet))) return {};
  return PrintPaper{paper, chosen.printPaper.unprintableMm};
}

SheetPlacement placementOf(const PageSettings& settings) {
  return placeSheet(sheetSizeMm(settings), paperSizeMm(settings), settings.printPaper.unprintableMm);
}

}  // namespace orvella::page
