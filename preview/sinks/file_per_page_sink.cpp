// Sinks that write each page to a file of its own.
#include "preview/sinks/file_per_page_sink.h"

#include <cmath>
#include <system_error>

#include "calendar/page/page_pictures.h"
#include "calendar/page/sheet_placement.h"

namespace orvella::sinks {

FilePerPageSink::~FilePerPageSink() {
  if (decoding_.valid()) decoding_.wait();
}

void FilePerPageSink::add(const page::GeneratedPage& page, const PageTag& tag) {
  OutputFile& file = files_.open(fileForPage(output_, tag.number, options_.severalPages));
  write(page, file, pixelsFor(page), options_.dpi);
}

void FilePerPageSink::upcoming(const page::GeneratedPage& page) {
  // One page ahead at most: the pictures of the page being written and the next are all that is held.
  if (decoding_.valid()) decoding_.wait();
  try {
    decoding_ = std::async(std::launch::async,
                           [pictures = page::picturesOnDevice(page, mappingFor(page), pixelsFor(page))] {
                             for (const page::PictureOnDevice& p : pictures)
                               p.picture.prepare(p.devicePixels);
                           });
  } catch (const std::system_error&) {
    // No thread to be had: the page decodes its pictures when it is drawn, as it always could.
  }
}

void FilePerPageSink::commit() {
  if (decoding_.valid()) decoding_.wait();
  files_.commit();
}

page::DeviceMapping FilePerPageSink::mappingFor(const page::GeneratedPage& page) const {
  const double dpi = options_.dpi;
  return page::DeviceMapping{dpi, dpi}.placed(page::placementOf(page.settings));
}

QSize FilePerPageSink::pixelsFor(const page::GeneratedPage& page) const {
  const QSizeF paper = page::paperSizeMm(page.settings);
  const int dpi = options_.dpi;
  return QSize(int(std::lround(paper.width() / 25.4 * dpi)), int(std::lround(paper.height() / 25.4 * dpi)));
}

}  // namespace orvella::sinks
