// The one page renderer: bands, then elements in order, each box mapped edge by edge to the device.
#include "calendar/page/page_renderer.h"

#include <QPainter>
#include <algorithm>
#include <cmath>
#include <vector>

#include "calendar/page/element_kinds.h"
#include "calendar/page/element_painter.h"

namespace orvella::page {

namespace {
// Device coordinates stay far inside int, whatever a damaged report file put into a page.
int toDevice(double tenthsMm, double offset, double dpi) {
  const double pixels = (tenthsMm - offset) * dpi / 254.0;
  if (std::isnan(pixels)) return 0;
  return static_cast<int>(std::lround(std::clamp(pixels, -1e8, 1e8)));
}
}  // namespace

int DeviceMapping::toDeviceX(double tenthsMm) const { return toDevice(tenthsMm, offsetX, dpiX); }

int DeviceMapping::toDeviceY(double tenthsMm) const { return toDevice(tenthsMm, offsetY, dpiY); }

double DeviceMapping::offsetFromDevicePixels(double pixels, double dpi) {
  if (dpi <= 0) return 0.0;
  return std::round(pixels / dpi * 254.0);
}

DeviceMapping DeviceMapping::forScreen(double zoomPercent, double screenDpi) {
  const double dpi = screenDpi * zoomPercent / 100.0;
  return DeviceMapping{dpi, dpi, 0.0, 0.0};
}

DeviceMapping DeviceMapping::placed(const SheetPlacement& placement) const {
  if (placement.isIdentity() || placement.scale <= 0) return *this;
  // round((position x scale + origin - offset) x dpi / 254)
  //   = round((position - (offset - origin) / scale) x (dpi x scale) / 254)
  DeviceMapping m = *this;
  m.dpiX = dpiX * placement.scale;
  m.dpiY = dpiY * placement.scale;
  m.offsetX = (offsetX - placement.originMm.x() * 10.0) / placement.scale;
  m.offsetY = (offsetY - placement.originMm.y() * 10.0) / placement.scale;
  m.clipToSheet = true;
  return m;
}

void drawPage(const GeneratedPage& page, QPainter& painter, const DeviceMapping& mapping,
              const QRect& visible) {
  painter.save();
  painter.setRenderHint(QPainter::SmoothPixmapTransform, true);
  painter.setRenderHint(QPainter::TextAntialiasing, true);
  painter.setBackgroundMode(Qt::TransparentMode);
  if (mapping.clipToSheet) {
    const QRect sheet(QPoint(mapping.toDeviceX(0), mapping.toDeviceY(0)),
                      QPoint(mapping.toDeviceX(page.settings.paperWidthMm * 10.0) - 1,
                             mapping.toDeviceY(page.settings.paperHeightMm * 10.0) - 1));
    painter.setClipRect(sheet, painter.hasClipping() ? Qt::IntersectClip : Qt::ReplaceClip);
  }
  ElementPainter elements(painter, mapping, visible);
  for (const std::vector<Element>* list : {&page.bands, &page.elements})
    for (const Element& element : *list)
      if (!elements.outOfSight(element)) kindInfo(element.kind).draw(elements, element);
  painter.restore();
}

}  // namespace orvella::page
