// A generated page: a self-contained copy of what one sheet shows, ready to draw, print or save.
#pragma once

#include <QString>
#include <vector>

#include "calendar/page/page_element.h"

namespace orvella::page {

// The page settings the preview and printing use.
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
  bool operator==(const PageSettings&) const = default;
};

// Sheet size in layout units (1/48 inch): 561 x 397 for A4 landscape.
inline constexpr int kLayoutUnitsPerInch = 48;

struct GeneratedPage {
  PageSettings settings;
  std::vector<Element> bands;     // drawn first
  std::vector<Element> elements;  // then these, in order
};

}  // namespace orvella::page
