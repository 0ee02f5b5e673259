// A page handed out in bands of rows, for outputs that never hold the whole sheet in memory. The page
// is drawn a strip of many bands at a time: what spans the sheet (a margin picture, a background) is
// drawn once per strip, not once per band.
#pragma once

#include <QImage>
#include <QSize>

#include "calendar/page/generated_page.h"
#include "calendar/page/page_renderer.h"

namespace orvella::page {

class PageBands {
 public:
  // The sheet of sheetPixels handed out in bands of bandRows rows, drawn in strips of about stripBytes
  // (a whole number of bands). The page must outlive the bands.
  PageBands(const GeneratedPage& page, const DeviceMapping& mapping, QSize sheetPixels, int bandRows,
            qint64 stripBytes);

  // Copies the sheet's rows from top on into band, an image of the sheet's width and format RGB32
  // whose top lies on a band's top, at the device's resolution; the strip that holds them is drawn
  // first when it is not yet.
  // False when there is no memory for a strip.
  bool take(QImage& band, int top);

 private:
  const GeneratedPage& page_;
  DeviceMapping mapping_;
  QSize sheet_;
  int stripRows_;
  QImage strip_;
  int stripTop_ = -1;
};

}  // namespace orvella::page
