// Where the sheet lands on the paper it is printed on: as it is on its own paper, else scaled
// uniformly to the largest size that fits the paper's printable area and centred there.
#pragma once

#include <QMarginsF>
#include <QPointF>
#include <QSizeF>

#include "calendar/page/generated_page.h"

namespace orvella::page {

struct SheetPlacement {
  double scale = 1.0;
  QPointF originMm;  // the sheet's top-left corner on the paper
  bool isIdentity() const { return scale == 1.0 && originMm.isNull(); }
};

// Papers within a millimetre of each other across and down are the same paper: drivers define the
// standard sizes to a fraction of a millimetre of their own.
bool samePaper(const QSizeF& aMm, const QSizeF& bMm);

// The sheet (across, down) on a paper as it lies, with the printer's unprintable margins on it. The
// sheet's own paper keeps the sheet where it is, whatever the margins: it prints as it always did.
SheetPlacement placeSheet(const QSizeF& sheetMm, const QSizeF& paperMm, const QMarginsF& unprintableMm = {});

// The sheet of the settings and the paper it goes on (the sheet's own when no other was chosen).
QSizeF sheetSizeMm(const PageSettings& settings);
QSizeF paperSizeMm(const PageSettings& settings);
// The paper a page's sheet goes on when the printer setup chose `chosen`: the paper chosen, as it lies
// in the orientation chosen; nothing when that is the sheet's own paper.
PrintPaper paperFor(const PageSettings& sheet, const PageSettings& chosen);
// The placement the settings ask for: the chosen paper with the margins the printer setup found.
SheetPlacement placementOf(const PageSettings& settings);

}  // namespace orvella::page
