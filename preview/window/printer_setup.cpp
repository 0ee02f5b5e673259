// Between the page's settings and a printer: what the printer setup shows and what its OK keeps.
#include "preview/window/printer_setup.h"

#include <QPrinter>
#include <QPrinterInfo>
#include <algorithm>
#include <cmath>

#include "calendar/page/sheet_placement.h"
#include "preview/engine/print_pages.h"
#include "preview/window/print_job.h"

namespace orvella::preview {

void configurePrinter(QPrinter& printer, const page::PageSettings& settings) {
  // A printer already sent into a file (a PDF) stays there.
  if (printer.outputFileName().isEmpty()) {
    QString name = settings.printerName;
    const QStringList installed = QPrinterInfo::availablePrinterNames();
    if (name.isEmpty() && settings.printerIndex >= 0 && settings.printerIndex < installed.size())
      name = installed[settings.printerIndex];
    // With printers but none chosen as the default, the toolkit would print into a nameless file.
    if (name.isEmpty() && printer.printerName().isEmpty() && !installed.isEmpty()) name = installed.front();
    if (!name.isEmpty() && installed.contains(name)) printer.setPrinterName(name);
  }
  // The paper and the orientation one at a time: a driver refuses a whole layout whose margins lie
  // inside its unprintable border, and would then keep its own paper and orientation. The margins
  // do not matter: the whole sheet is the drawing surface. A printer that keeps another paper or
  // orientation all the same gets the sheet scaled onto what it has.
  const QPageLayout wanted = report::paperLayoutFor(settings);
  printer.setPageSize(wanted.pageSize());
  printer.setPageOrientation(wanted.orientation());
  printer.setFullPage(true);
  printer.setCopyCount(std::max(settings.copies, 1));
  printer.setDocName(settings.title);
}

void presetPageRange(QPrinter& printer, const page::PageSettings& settings, int pageCount) {
  const int last = std::max(pageCount, 1);
  if (settings.firstPage == 0 && settings.lastPage == 0) {
    printer.setPrintRange(QPrinter::AllPages);
    printer.setFromTo(1, last);
    return;
  }
  const int from = std::clamp(settings.firstPage > 0 ? settings.firstPage : 1, 1, last);
  const int to = std::clamp(settings.lastPage > 0 ? settings.lastPage : last, from, last);
  printer.setPrintRange(QPrinter::PageRange);
  printer.setFromTo(from, to);
}

page::PageSettings settingsFromPrinter(const page::PageSettings& before, const QPrinter& printer) {
  page::PageSettings after = before;
  after.copies = std::max(printer.copyCount(), 1);
  if (printer.outputFormat() == QPrinter::NativeFormat) {
    after.printerName = printer.printerName();
    after.printerIndex = static_cast<int>(QPrinterInfo::availablePrinterNames().indexOf(after.printerName));
  }
  const bool landscape = printer.pageLayout().orientation() == QPageLayout::Landscape;
  if (landscape != after.landscape) {
    // The sheet keeps its size; the orientation decides which side runs across.
    after.landscape = landscape;
    const double shortSide = std::min(after.paperWidthMm, after.paperHeightMm);
    const double longSide = std::max(after.paperWidthMm, after.paperHeightMm);
    after.paperWidthMm = landscape ? longSide : shortSide;
    after.paperHeightMm = landscape ? shortSide : longSide;
  }
  // The paper chosen, as it lies in the orientation chosen; the sheet's own paper is no choice to keep.
  after.printPaper = printerPaper(printer);
  if (page::samePaper(after.printPaper.sizeMm, page::sheetSizeMm(after))) after.printPaper.sizeMm = QSizeF();
  if (printer.printRange() == QPrinter::PageRange) {
    after.firstPage = printer.fromPage();
    after.lastPage = printer.toPage();
  } else {
    after.firstPage = 0;
    after.lastPage = 0;
  }
  return after;
}

}  // namespace orvella::preview
