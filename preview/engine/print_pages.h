// Printing generated pages onto any paged device: a printer, a PDF writer. No windows here.
#pragma once

#include <QPageLayout>
#include <QPointF>
#include <functional>
#include <vector>

#include "calendar/page/generated_page.h"
#include "platform/errors/message_texts.h"

class QPagedPaintDevice;

namespace orvella::report {

namespace messages {
inline constexpr MessageText msg_PrintingFailed{"msg_PrintingFailed", "Nie można uruchomić drukarki"};
}

struct PrintRun {
  int firstPage = 0;  // 1-based; 0 and 0: every page
  int lastPage = 0;
  int copies = 1;  // times the chosen pages are sent; 1 when the device makes the copies itself
  // Where the device's drawing origin lies from the sheet's top-left corner, in device pixels: the
  // printer's unprintable margin when the device does not start at the paper's corner, else 0.
  QPointF originOffsetPixels;
  // The device's paper as it lies and its unprintable margins. Each sheet is placed on it: where it
  // stands on its own paper, else scaled to fit the printable area and centred. An empty size: every
  // sheet's own paper.
  page::PrintPaper paper;
  // Told the percentage done after each page; returning false stops the job.
  std::function<bool(int percent)> progress;
};

enum class PrintOutcome { Finished, Stopped };

// The page numbers (1-based) a range chooses among count pages: all for 0 and 0, a missing end taken
// as the first or the last page, limited to 1..count.
std::vector<int> pagesInRange(int firstPage, int lastPage, int count);

// The page layout of the settings: paper size and orientation, the whole sheet drawable.
QPageLayout pageLayoutFor(const page::PageSettings& settings);

// The layout of the paper the sheet is printed on: the sheet's own (pageLayoutFor) unless another
// paper was chosen; a paper of a standard size by its standard name. The whole paper drawable.
QPageLayout paperLayoutFor(const page::PageSettings& settings);

// How far a layout's drawing origin lies from the sheet corner, in pixels at a resolution.
QPointF originOffsetOf(const QPageLayout& layout, int resolution);

// Prints onto a device already set up (layout, file, copies). Each sheet position lands at
// round((position - offset) x dpi / 254) with the offset of run.originOffsetPixels in tenths of a
// millimetre, so elements stand where they stand on the sheet whatever the device's margin; on
// another paper than the sheet's own, the sheet is first placed on run.paper.
// Raises Error msg_PrintingFailed when the device cannot begin.
PrintOutcome printPages(const std::vector<page::GeneratedPage>& pages, QPagedPaintDevice& device,
                        const PrintRun& run);

}  // namespace orvella::report
