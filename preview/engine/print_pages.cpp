// Printing generated pages onto any paged device: a printer, a PDF writer. No windows here.
#include "preview/engine/print_pages.h"

#include <QPagedPaintDevice>
#include <QPainter>
#include <algorithm>

#include "calendar/page/page_renderer.h"
#include "calendar/page/sheet_placement.h"
#include "platform/errors/error.h"

namespace orvella::report {

std::vector<int> pagesInRange(int firstPage, int lastPage, int count) {
  int from = firstPage > 0 ? firstPage : 1;
  int to = lastPage > 0 ? lastPage : count;
  from = std::max(from, 1);
  to = std::min(to, count);
  std::vector<int> numbers;
  for (int n = from; n <= to; ++n) numbers.push_back(n);
  return numbers;
}

QPageLayout pageLayoutFor(const page::PageSettings& settings) {
  // The page size is given upright; the orientation turns it.
  const double shortSide = std::min(settings.paperWidthMm, settings.paperHeightMm);
  const double longSide = std::max(settings.paperWidthMm, settings.paperHeightMm);
  const QPageSize size(QSizeF(shortSide, longSide), QPageSize::Millimeter);
  QPageLayout layout(size, settings.landscape ? QPageLayout::Landscape : QPageLayout::Portrait,
                     QMarginsF(0, 0, 0, 0), QPageLayout::Millimeter);
  layout.setMode(QPageLayout::FullPageMode);
  return layout;
}

QPageLayout paperLayoutFor(const page::PageSettings& settings) {
  const QSizeF paper = page::paperSizeMm(settings);
  if (page::samePaper(paper, page::sheetSizeMm(settings))) return pageLayoutFor(settings);
  // Known by name where it has one, so that drivers and PDF readers call it what it is.
  const QSizeF upright(std::min(paper.width(), paper.height()), std::max(paper.width(), paper.height()));
  const QPageSize::PageSizeId id = QPageSize::id(upright, QPageSize::Millimeter, QPageSize::FuzzyMatch);
  const QPageSize size = id == QPageSize::Custom ? QPageSize(upright, QPageSize::Millimeter) : QPageSize(id);
  const bool across = paper.width() > paper.height() || (paper.width() == paper.height() && settings.landscape);
  QPageLayout layout(size, across ? QPageLayout::Landscape : QPageLayout::Portrait, QMarginsF(0, 0, 0, 0),
                     QPageLayout::Millimeter);
  layout.setMode(QPageLayout::FullPageMode);
  return layout;
}

QPointF originOffsetOf(const QPageLayout& layout, int resolution) {
  const QRect full = layout.fullRectPixels(resolution);
  const QRect paint = layout.paintRectPixels(resolution);
  return QPointF(paint.topLeft() - full.topLeft());
}

PrintOutcome printPages(const std::vector<page::GeneratedPage>& pages, QPagedPaintDevice& device,
                        const PrintRun& run) {
  const std::vector<int> chosen = pagesInRange(run.firstPage, run.lastPage, static_cast<int>(pages.size()));
  const int copies = std::max(run.copies, 1);
  const int total = static_cast<int>(chosen.size()) * copies;

  QPainter painter;
  if (!painter.begin(&device)) throw Error(messageText(messages::msg_PrintingFailed));

  page::DeviceMapping mapping;
  mapping.dpiX = device.logicalDpiX();
  mapping.dpiY = device.logicalDpiY();
  mapping.offsetX = page::DeviceMapping::offsetFromDevicePixels(run.originOffsetPixels.x(), mapping.dpiX);
  mapping.offsetY = page::DeviceMapping::offsetFromDevicePixels(run.originOffsetPixels.y(), mapping.dpiY);

  int done = 0;
  for (int copy = 0; copy < copies; ++copy) {
    for (int number : chosen) {
      if (done > 0 && !device.newPage()) {
        painter.end();
        throw Error(messageText(messages::msg_PrintingFailed));
      }
      // Each page starts from a clean painter: drawing state never leaks from one sheet to the next.
      painter.save();
      const page::GeneratedPage& sheet = pages[static_cast<size_t>(number - 1)];
      const QSizeF sheetMm = page::sheetSizeMm(sheet.settings);
      const page::SheetPlacement placement =
          page::placeSheet(sheetMm, run.paper.sizeMm.isEmpty() ? sheetMm : run.paper.sizeMm, run.paper.unprintableMm);
      page::drawPage(sheet, painter, mapping.placed(placement));
      painter.restore();
      ++done;
      if (run.progress && !run.progress(done * 100 / total)) {
        painter.end();
        return PrintOutcome::Stopped;
      }
    }
  }
  painter.end();
  return PrintOutcome::Finished;
}

}  // namespace orvella::report
