// The one page renderer: bands, then elements in order, each box mapped edge by edge to the device.
#include "calendar/page/page_renderer.h"

#include <QFontMetricsF>
#include <QPaintDevice>
#include <QPainter>
#include <algorithm>
#include <cmath>
#include <limits>
#include <vector>

#include "calendar/page/font_resolver.h"
#include "calendar/page/label_text.h"

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

namespace {

struct Renderer {
  QPainter& painter;
  const DeviceMapping& mapping;
  double deviceDpiY;  // the device's logical resolution, by which painters size point fonts
  QRect visible;      // empty: everything is drawn

  // One device font and its metrics per page font: a page has a few fonts and a hundred labels.
  struct DeviceFont {
    ElementFont key;
    QFont font;
    QFontMetricsF metrics;
  };
  std::vector<DeviceFont> fonts;

  const DeviceFont& deviceFont(const ElementFont& f) {
    for (const DeviceFont& known : fonts)
      if (known.key == f) return known;
    const double pixels = clampedPoints(f.size) * mapping.dpiY / 72.0;
    const QFont font = fontForDevice(f, pixels, deviceDpiY);
    fonts.push_back(DeviceFont{f, font, QFontMetricsF(font, painter.device())});
    return fonts.back();
  }

  // An element whose box, with room for what may stand out of it, misses the visible part.
  bool outOfSight(const Element& e) const {
    if (visible.isEmpty()) return false;
    double margin = std::max(0.0, e.frame.widthPoints) * mapping.dpiY / 72.0 + 2;
    // Letters may reach beyond their label by a part of their size (italics, accents, descenders).
    if (e.kind == ElementKind::Label) margin += clampedPoints(e.font.size) * mapping.dpiY / 72.0;
    const int m = static_cast<int>(std::ceil(std::min(margin, 1e6)));
    return !deviceBox(e).adjusted(-m, -m, m, m).intersects(visible);
  }

  // Each edge mapped on its own, so boxes that share an edge on the sheet share it on the device.
  QRect deviceBox(const Element& e) const {
    const int x0 = mapping.toDeviceX(unitsToTenthsMm(e.left));
    const int y0 = mapping.toDeviceY(unitsToTenthsMm(e.top));
    const int x1 = mapping.toDeviceX(unitsToTenthsMm(double(e.left) + e.width));
    const int y1 = mapping.toDeviceY(unitsToTenthsMm(double(e.top) + e.height));
    return QRect(QPoint(x0, y0), QPoint(x1 - 1, y1 - 1));
  }

  // Frames lie inside the box: a line at each chosen edge, as thick as its width in points.
  void drawFrame(const Element& e, const QRect& box) {
    const Frame& f = e.frame;
    if (!f.any() || box.isEmpty()) return;
    // A line is at least one device pixel wide; a nonsense width draws one point.
    const double points = f.widthPoints >= 0 && f.widthPoints <= 1000 ? f.widthPoints : 1.0;
    const int wx = std::max(1, static_cast<int>(std::lround(points * mapping.dpiX / 72.0)));
    const int wy = std::max(1, static_cast<int>(std::lround(points * mapping.dpiY / 72.0)));
    const QColor color = toQColor(f.color);
    if (f.top) painter.fillRect(QRect(box.left(), box.top(), box.width(), wy), color);
    if (f.bottom) painter.fillRect(QRect(box.left(), box.bottom() + 1 - wy, box.width(), wy), color);
    if (f.left) painter.fillRect(QRect(box.left(), box.top(), wx, box.height()), color);
    if (f.right) painter.fillRect(QRect(box.right() + 1 - wx, box.top(), wx, box.height()), color);
  }

  void drawFilled(const Element& e) {
    const QRect box = deviceBox(e);
    if (!box.isEmpty()) painter.fillRect(box, toQColor(e.fillColor));
    drawFrame(e, box);
  }

  void drawLabel(const Element& e) {
    const QRect box = deviceBox(e);
    if (!e.transparent && !box.isEmpty()) painter.fillRect(box, toQColor(e.backgroundColor));

    // Only the lines that fit whole are drawn, so only those are broken.
    const LineMetrics metrics = lineMetrics(e.font);
    const int room = wholeLinesFitting(e, metrics.height(), std::numeric_limits<int>::max() - 1);
    const QStringList lines = labelLines(e, room);
    const int count = static_cast<int>(std::min<qsizetype>(lines.size(), room));
    if (count > 0) {
      const DeviceFont& device = deviceFont(e.font);
      painter.setFont(device.font);
      painter.setPen(toQColor(e.font.color));
      const QFontMetricsF& deviceMetrics = device.metrics;
      const double top = unitsToTenthsMm(e.top);
      const double lineStep = unitsToTenthsMm(metrics.height());
      const double ascent = unitsToTenthsMm(metrics.ascent);
      for (int i = 0; i < count; ++i) {
        const QString& line = lines[i];
        if (line.isEmpty()) continue;
        const double width = deviceMetrics.horizontalAdvance(line);
        double x = box.left();
        if (e.alignment == Alignment::Right)
          x = box.right() + 1 - width;
        else if (e.alignment == Alignment::Center)
          x = (box.left() + box.right() + 1 - width) / 2.0;
        const int baseline = mapping.toDeviceY(top + i * lineStep + ascent);
        painter.drawText(QPointF(std::round(x), baseline), line);
      }
    }
    drawFrame(e, box);
  }

  void drawImage(const Element& e) {
    const QRect box = deviceBox(e);
    if (!e.picture.isNull() && !box.isEmpty()) {
      if (e.stretch) {
        e.picture.draw(painter, QRectF(box));
      } else {
        // The picture's screen size (96 dpi) carried to paper, from the box's top-left corner.
        const QSizeF natural = e.picture.naturalSize();
        const QSizeF size(natural.width() * mapping.dpiX / 96.0, natural.height() * mapping.dpiY / 96.0);
        painter.save();
        painter.setClipRect(box, Qt::IntersectClip);
        e.picture.draw(painter, QRectF(box.topLeft(), size));
        painter.restore();
      }
    }
    drawFrame(e, box);
  }

  void draw(const Element& e) {
    if (outOfSight(e)) return;
    switch (e.kind) {
      case ElementKind::Label:
        drawLabel(e);
        break;
      case ElementKind::Image:
        drawImage(e);
        break;
      case ElementKind::Shape:
      case ElementKind::Band:
        drawFilled(e);
        break;
    }
  }
};

}  // namespace

void drawPage(const GeneratedPage& page, QPainter& painter, const DeviceMapping& mapping,
              const QRect& visible) {
  painter.save();
  painter.setRenderHint(QPainter::SmoothPixmapTransform, true);
  painter.setRenderHint(QPainter::TextAntialiasing, true);
  painter.setBackgroundMode(Qt::TransparentMode);
  const QPaintDevice* device = painter.device();
  const double deviceDpiY = device && device->logicalDpiY() > 0 ? device->logicalDpiY() : mapping.dpiY;
  if (mapping.clipToSheet) {
    const QRect sheet(QPoint(mapping.toDeviceX(0), mapping.toDeviceY(0)),
                      QPoint(mapping.toDeviceX(page.settings.paperWidthMm * 10.0) - 1,
                             mapping.toDeviceY(page.settings.paperHeightMm * 10.0) - 1));
    painter.setClipRect(sheet, painter.hasClipping() ? Qt::IntersectClip : Qt::ReplaceClip);
  }
  Renderer renderer{painter, mapping, deviceDpiY, visible, {}};
  for (const Element& band : page.bands) renderer.draw(band);
  for (const Element& element : page.elements) renderer.draw(element);
  painter.restore();
}

}  // namespace orvella::page
