// A print job on a QPrinter: the printer set up from the page's settings, its margin asked, the pages
// printed through the engine. A printer sent into a PDF file takes the very same road.
#pragma once

#include <QPointF>
#include <functional>
#include <vector>

#include "calendar/page/generated_page.h"
#include "preview/engine/print_pages.h"

class QPrinter;

namespace orvella::preview {

// Where the printer's drawing origin lies from the paper's corner, in device pixels: the page
// rectangle against the paper rectangle (0 when the printer draws from the paper's corner).
QPointF printerOriginOffset(const QPrinter& printer);

// The paper the printer has now, as it lies in its orientation, with its unprintable margins.
page::PrintPaper printerPaper(const QPrinter& printer);

// Prints the pages with the settings' range and copies onto a printer already configured
// (configurePrinter). progress is told the percentage after each page; returning false aborts the job
// (QPrinter::abort). Raises Error when the printer cannot start.
report::PrintOutcome printReport(const std::vector<page::GeneratedPage>& pages,
                                 const page::PageSettings& settings, QPrinter& printer,
                                 const std::function<bool(int percent)>& progress = {});

}  // namespace orvella::preview
