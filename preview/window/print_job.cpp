// A print job on a QPrinter: the printer set up from the page's settings, its margin asked, the pages
// printed through the engine. A printer sent into a PDF file takes the very same road.
#include "preview/window/print_job.h"

#include <QPrinter>

namespace orvella::preview {

QPointF printerOriginOffset(const QPrinter& printer) {
  const QRectF page = printer.pageRect(QPrinter::DevicePixel);
  const QRectF paper = printer.paperRect(QPrinter::DevicePixel);
  if (page.isEmpty() || paper.isEmpty()) return {};
  return page.topLeft() - paper.topLeft();
}

page::PrintPaper printerPaper(const QPrinter& printer) {
  QPageLayout layout = printer.pageLayout();
  layout.setUnits(QPageLayout::Millimeter);
  return page::PrintPaper{layout.fullRect().size(), layout.minimumMargins()};
}

report::PrintOutcome printReport(const std::vector<page::GeneratedPage>& pages,
                                 const page::PageSettings& settings, QPrinter& printer,
                                 const std::function<bool(int percent)>& progress) {
  report::PrintRun run;
  run.firstPage = settings.firstPage;
  run.lastPage = settings.lastPage;
  // Printers that cannot make copies themselves get the pages that many times.
  run.copies = printer.supportsMultipleCopies() ? 1 : std::max(printer.copyCount(), 1);
  run.progress = [&](int percent) {
    if (!progress || progress(percent)) return true;
    printer.abort();
    return false;
  };
  // With the whole sheet as the drawing surface this is 0; a printer whose origin sits at its
  // printable area reports that area's corner here.
  run.originOffsetPixels = printerOriginOffset(printer);
  // Whatever paper the printer has now, the sheet is placed on it.
  run.paper = printerPaper(printer);
  return report::printPages(pages, printer, run);
}

}  // namespace orvella::preview
