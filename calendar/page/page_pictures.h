// The pictures a page shows, each with the device pixels it is drawn onto: what a device that draws
// pixels decodes for the page, so that it can be decoded ahead, on another thread.
#pragma once

#include <QSize>
#include <vector>

#include "calendar/page/generated_page.h"
#include "calendar/page/page_renderer.h"

namespace orvella::page {

struct PictureOnDevice {
  Picture picture;
  QSize devicePixels;
};

// The pictures drawPage() draws for page with mapping on a sheet of sheetPixels, in drawing order (a
// picture drawn several times is listed each time). A device picture stand-in in mapping is left out:
// its pictures are the device's own business.
std::vector<PictureOnDevice> picturesOnDevice(const GeneratedPage& page, DeviceMapping mapping,
                                              QSize sheetPixels);

}  // namespace orvella::page
