// A generated page: a self-contained copy of what one sheet shows, ready to draw, print or save.
#pragma once

#include <QMarginsF>
#include <QSizeF>
#include <QString>
#include <vector>

#include "calendar/page/page_element.h"

namespace orvella::page {

// The paper a sheet is printed on when it is not the sheet's own, as it lies (across, down), with the
// unprintable margins the printer has on it. An empty size: the sheet's own paper.
struct PrintPaper {
  QSizeF sizeMm;
  QMarginsF unprintableMm;
  bool operator==(const PrintPaper&) const = default;
};

// The page settings the preview and printing use. The paper size and orientation are the sheet's:
// what the page is laid out on.
struct PageSettings {
  double paperWidthMm = 297.0;  // A4 landscape
  double paperHeightMm = 210.0;
  bool landscape = true;
  double marginTopMm = 10.0, marginBottomMm = 10.0, marginLeftMm = 10.0, marginRightMm = 10.0;
  QString title = QStringLiteral(" b");
  int copies = 1;
  int printerIndex = -1;  // -1: the default printer
  QString printerName;    // empty: the default printer
  int firstPage = 0;      // 0 and 0: all pages
  int lastPage = 0;
  bool showProgress = true;
  PrintPaper printPaper;  // where the sheet goes when printed: the sheet's own paper unless chosen
  bool operator==(const PageSettings&) const = default;
};

// Sheet size in layout units (1/48 inch): 561 x 397 for A4 landscape.
inline constexpr int kLayoutUnitsPerInch = 48;

struct GeneratedPage {
  PageSettings settings;
  std::vector<Element> bands;     // drawn first
  std::vector<Element> elements;  // then these, in order

  // The band or element of this name (compared without regard to case); null when none.
  const Element* find(const QString& name) const;
};

}  // namespace orvella::page
