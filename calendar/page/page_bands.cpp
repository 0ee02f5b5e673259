// A page handed out in bands of rows, drawn a strip of bands at a time.
#include "calendar/page/page_bands.h"

#include <QPainter>
#include <algorithm>
#include <cstring>

namespace orvella::page {

PageBands::PageBands(const GeneratedPage& page, const DeviceMapping& mapping, QSize sheetPixels, int bandRows,
                     qint64 stripBytes)
    : page_(page), mapping_(mapping), sheet_(sheetPixels) {
  const int rows = std::max(bandRows, 1);
  const qint64 bandBytes = qint64(rows) * std::max(sheet_.width(), 1) * 4;
  stripRows_ = rows * static_cast<int>(std::clamp<qint64>(stripBytes / bandBytes, 1, (sheet_.height() + rows - 1) / rows));
}

bool PageBands::take(QImage& band, int top) {
  if (stripTop_ < 0 || top < stripTop_ || top + band.height() > stripTop_ + strip_.height()) {
    stripTop_ = top - top % stripRows_;
    const int rows = std::min(stripRows_, sheet_.height() - stripTop_);
    if (strip_.height() != rows) strip_ = QImage(sheet_.width(), rows, QImage::Format_RGB32);
    if (strip_.isNull()) return false;
    // The band's resolution is the device's: hairlines and point sizes of pictures follow it.
    strip_.setDotsPerMeterX(band.dotsPerMeterX());
    strip_.setDotsPerMeterY(band.dotsPerMeterY());
    strip_.fill(Qt::white);
    QPainter painter(&strip_);
    painter.translate(0, -stripTop_);
    drawPage(page_, painter, mapping_, QRect(0, stripTop_, strip_.width(), strip_.height()));
  }
  const qsizetype bytes = qsizetype(std::min(band.bytesPerLine(), strip_.bytesPerLine()));
  for (int y = 0; y < band.height() && top + y < stripTop_ + strip_.height(); ++y)
    std::memcpy(band.scanLine(y), strip_.constScanLine(top - stripTop_ + y), size_t(bytes));
  return true;
}

}  // namespace orvella::page
