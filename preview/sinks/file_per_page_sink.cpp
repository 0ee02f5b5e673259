// Sinks that write each page to a file of its own.
#include "preview/sinks/file_per_page_sink.h"

#include <cmath>

#include "calendar/page/sheet_placement.h"

namespace orvella::sinks {

void FilePerPageSink::add(const page::GeneratedPage& page, const PageTag& tag) {
  OutputFile& file = files_.open(fileForPage(output_, tag.number, options_.severalPages));
  const QSizeF paper = page::paperSizeMm(page.settings);
  const int dpi = options_.dpi;
  write(page, file, QSize(int(std::lround(paper.width() / 25.4 * dpi)), int(std::lround(paper.height() / 25.4 * dpi))),
        dpi);
}

}  // namespace orvella::sinks
