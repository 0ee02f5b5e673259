// The pictures a page shows on a device, found by drawing only them, onto nothing.
#include "calendar/page/page_pictures.h"

#include <QImage>
#include <QPainter>
#include <algorithm>

#include "platform/pictures/raster_draw.h"

namespace orvella::page {

namespace {

// Takes each picture's place: notes the device pixels it would cover and draws nothing.
class PictureNotes final : public PictureStandIn {
 public:
  bool draw(QPainter& painter, const Picture& picture, const QRectF& target) override {
    if (target.isValid()) notes.push_back(PictureOnDevice{picture, deviceSizeOf(painter, target)});
    return true;
  }
  std::vector<PictureOnDevice> notes;
};

}  // namespace

std::vector<PictureOnDevice> picturesOnDevice(const GeneratedPage& page, DeviceMapping mapping,
                                              QSize sheetPixels) {
  // Labels and shapes cost their drawing and show no picture.
  GeneratedPage images = page;
  const auto notImage = [](const Element& e) { return e.kind != ElementKind::Image || e.picture.isNull(); };
  std::erase_if(images.bands, notImage);
  std::erase_if(images.elements, notImage);
  PictureNotes notes;
  mapping.pictures = &notes;
  // Where a picture lands is told by the painter's transform alone; a pixel is enough to paint on.
  QImage nothing(1, 1, QImage::Format_RGB32);
  QPainter painter(&nothing);
  drawPage(images, painter, mapping, QRect(QPoint(0, 0), sheetPixels));
  return std::move(notes.notes);
}

}  // namespace orvella::page
