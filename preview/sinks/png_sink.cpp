// The pages as PNG images, one file per page, each drawn and written a band of rows at a time.
#include <QPainter>
#include <algorithm>
#include <cmath>

#include "calendar/page/page_bands.h"
#include "platform/errors/error.h"
#include "preview/sinks/file_per_page_sink.h"
#include "preview/sinks/png_bands.h"

namespace orvella::sinks {

namespace {

// A page image is compressed in bands of rows of about this many bytes, each while the next is made: a
// 600 dpi sheet is 133 MiB as one image, its bands and their compression hold a few MiB.
constexpr qint64 kBandBytes = qint64(1) << 20;
// The bands are drawn a strip of four at a time: what spans the sheet (the margin picture, a
// background) is drawn 34 times for a 600 dpi sheet, where a drawing per band of twice the size drew
// it 68 times, in the same memory.
constexpr qint64 kStripBytes = 4 * kBandBytes;

class PngSink final : public FilePerPageSink {
 public:
  using FilePerPageSink::FilePerPageSink;

 private:
  void write(const page::GeneratedPage& page, OutputFile& file, QSize pixels, int dpi) override {
    const int bandRows = static_cast<int>(std::clamp<qint64>(kBandBytes / (qint64(pixels.width()) * 4), 1, pixels.height()));
    page::PageBands bands(page, mappingFor(page), pixels, bandRows, kStripBytes);
    PngBands png(file, pixels, static_cast<int>(std::lround(dpi / 0.0254)), bandRows);
    // What the file does not say went wrong is memory the image did not get.
    auto failed = [&] {
      file.check();
      return unableToWrite(file.target(), QStringLiteral("not enough memory"));
    };
    while (png.top() < pixels.height()) {
      const int top = png.top();
      QImage& band = png.nextBand();
      if (band.isNull() || !bands.take(band, top)) throw failed();
      if (!png.addBand()) throw failed();
    }
    if (!png.finish()) throw failed();
    file.check();
  }
};

}  // namespace

std::unique_ptr<PageSink> openPngSink(const QString& output, const SinkOptions& options) {
  return std::make_unique<PngSink>(output, options);
}

}  // namespace orvella::sinks
