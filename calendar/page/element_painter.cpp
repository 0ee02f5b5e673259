// The steps every kind of element is drawn with.
#include "calendar/page/element_painter.h"

#include <QPaintDevice>
#include <QPainter>
#include <QPainterPath>
#include <QRegion>
#include <algorithm>
#include <cmath>
#include <limits>

#include "calendar/page/font_resolver.h"
#include "calendar/page/label_text.h"

namespace orvella::page {

ElementPainter::ElementPainter(QPainter& painter, const DeviceMapping& mapping, const QRect& visible)
    : painter_(painter), mapping_(mapping), visible_(visible) {
  const QPaintDevice* device = painter.device();
  deviceDpiY_ = device && device->logicalDpiY() > 0 ? device->logicalDpiY() : mapping.dpiY;
}

const ElementPainter::DeviceFont& ElementPainter::deviceFont(const ElementFont& f) {
  for (const DeviceFont& known : fonts_)
    if (known.key == f) return known;
  const double pixels = clampedPoints(f.size) * mapping_.dpiY / 72.0;
  // Bound to the device, so that outlines of its letters are as large as the letters drawn on it.
  const QFont font(fontForDevice(f, pixels, deviceDpiY_), painter_.device());
  fonts_.push_back(DeviceFont{f, font, QFontMetricsF(font, painter_.device())});
  return fonts_.back();
}

bool ElementPainter::outOfSight(const Element& e) const {
  if (visible_.isEmpty()) return false;
  double margin = std::max(0.0, e.frame.widthPoints) * mapping_.dpiY / 72.0 + 2;
  // Letters may reach beyond their label by a part of their size (italics, accents, descenders).
  if (e.kind == ElementKind::Label) margin += clampedPoints(e.font.size) * mapping_.dpiY / 72.0;
  const int m = static_cast<int>(std::ceil(std::min(margin, 1e6)));
  return !deviceBox(e).adjusted(-m, -m, m, m).intersects(visible_);
}

QRect ElementPainter::deviceBox(const Element& e) const {
  const int x0 = mapping_.toDeviceX(unitsToTenthsMm(e.left));
  const int y0 = mapping_.toDeviceY(unitsToTenthsMm(e.top));
  const int x1 = mapping_.toDeviceX(unitsToTenthsMm(double(e.left) + e.width));
  const int y1 = mapping_.toDeviceY(unitsToTenthsMm(double(e.top) + e.height));
  return QRect(QPoint(x0, y0), QPoint(x1 - 1, y1 - 1));
}

// Frames lie inside the box: a line at each chosen edge, as thick as its width in points.
void ElementPainter::frame(const Element& e, const QRect& box) {
  const Frame& f = e.frame;
  if (!f.any() || box.isEmpty()) return;
  // A line is at least one device pixel wide; a nonsense width draws one point.
  const double points = f.widthPoints >= 0 && f.widthPoints <= 1000 ? f.widthPoints : 1.0;
  const int wx = std::max(1, static_cast<int>(std::lround(points * mapping_.dpiX / 72.0)));
  const int wy = std::max(1, static_cast<int>(std::lround(points * mapping_.dpiY / 72.0)));
  const QColor color = toQColor(f.color);
  if (f.top) painter_.fillRect(QRect(box.left(), box.top(), box.width(), wy), color);
  if (f.bottom) painter_.fillRect(QRect(box.left(), box.bottom() + 1 - wy, box.width(), wy), color);
  if (f.left) painter_.fillRect(QRect(box.left(), box.top(), wx, box.height()), color);
  if (f.right) painter_.fillRect(QRect(box.right() + 1 - wx, box.top(), wx, box.height()), color);
}

void ElementPainter::filled(const Element& e) {
  const QRect box = deviceBox(e);
  if (!box.isEmpty()) painter_.fillRect(box, toQColor(e.fillColor));
  frame(e, box);
}

void ElementPainter::label(const Element& e) {
  const QRect box = deviceBox(e);
  if (!e.transparent && !box.isEmpty()) painter_.fillRect(box, toQColor(e.backgroundColor));

  // Only the lines that fit whole are drawn, so only those are broken.
  const LineMetrics metrics = lineMetrics(e.font);
  const int room = wholeLinesFitting(e, metrics.height(), std::numeric_limits<int>::max() - 1);
  const QStringList lines = labelLines(e, room);
  const int count = static_cast<int>(std::min<qsizetype>(lines.size(), room));
  if (count > 0) {
    const DeviceFont& device = deviceFont(e.font);
    const QColor color = toQColor(e.font.color);
    painter_.setFont(device.font);
    painter_.setPen(color);
    const double top = unitsToTenthsMm(e.top);
    const double lineStep = unitsToTenthsMm(metrics.height());
    const double ascent = unitsToTenthsMm(metrics.ascent);
    for (int i = 0; i < count; ++i) {
      const QString& line = lines[i];
      if (line.isEmpty()) continue;
      const double width = device.metrics.horizontalAdvance(line);
      double x = box.left();
      if (e.alignment == Alignment::Right)
        x = box.right() + 1 - width;
      else if (e.alignment == Alignment::Center)
        x = (box.left() + box.right() + 1 - width) / 2.0;
      const QPointF at(std::round(x), mapping_.toDeviceY(top + i * lineStep + ascent));
      if (mapping_.textAsOutlines) {
        QPainterPath outline;
        outline.addText(at, device.font, line);
        painter_.fillPath(outline, color);
      } else {
        painter_.drawText(at, line);
      }
    }
  }
  frame(e, box);
}

void ElementPainter::picture(const Picture& picture, const QRectF& target) {
  if (mapping_.pictures && mapping_.pictures->draw(painter_, picture, target)) return;
  picture.draw(painter_, target);
}

void ElementPainter::mirroredEdges(const Element& e, const QRect& sheet) {
  const QRect box = deviceBox(e);
  if (e.picture.isNull() || !e.stretch || box.isEmpty()) return;
  painter_.save();
  painter_.setClipRegion(QRegion(painter_.clipBoundingRect().toAlignedRect()).subtracted(sheet),
                         Qt::IntersectClip);
  const QRectF centred(-box.width() / 2.0, -box.height() / 2.0, box.width(), box.height());
  const QRectF target = coveringTarget(e, centred);
  for (int across : {-1, 0, 1})
    for (int down : {-1, 0, 1}) {
      if (across == 0 && down == 0) continue;
      painter_.save();
      painter_.translate(box.x() + box.width() * (0.5 + across), box.y() + box.height() * (0.5 + down));
      painter_.scale(across ? -1 : 1, down ? -1 : 1);
      if (!e.crop.isEmpty()) painter_.setClipRect(centred, Qt::IntersectClip);
      picture(e.picture, target);
      painter_.restore();
    }
  painter_.restore();
}

void ElementPainter::image(const Element& e) {
  const QRect box = deviceBox(e);
  if (!e.picture.isNull() && !box.isEmpty()) {
    if (e.stretch && e.crop.isEmpty()) {
      picture(e.picture, QRectF(box));
    } else if (e.stretch) {
      clipped(e.picture, box, coveringTarget(e, box));
    } else {
      // The picture's screen size (96 dpi) carried to paper, from the box's top-left corner.
      const QSizeF natural = e.picture.naturalSize();
      clipped(e.picture, box,
              QRectF(box.topLeft(), QSizeF(natural.width() * mapping_.dpiX / 96.0, natural.height() * mapping_.dpiY / 96.0)));
    }
  }
  frame(e, box);
}

void ElementPainter::moon(const Element& e) {
  const QRect box = deviceBox(e);
  if (box.isEmpty()) return;
  const QColor color = toQColor(e.fillColor);
  const double pen = std::max(1.0, box.width() / 10.0);
  const QRectF disc = QRectF(box).adjusted(pen / 2, pen / 2, -pen / 2, -pen / 2);
  painter_.save();
  painter_.setRenderHint(QPainter::Antialiasing);
  painter_.setPen(QPen(color, pen));
  painter_.setBrush(e.phase == 0 ? QBrush(color) : QBrush(Qt::NoBrush));
  painter_.drawEllipse(disc);
  if (e.phase == 1 || e.phase == 3) {
    QPainterPath half;
    half.moveTo(disc.center());
    half.arcTo(disc, 90, e.phase == 1 ? 180 : -180);  // the unlit half: the left one at first quarter
    half.closeSubpath();
    painter_.fillPath(half, color);
  }
  painter_.restore();
}

QRectF ElementPainter::coveringTarget(const Element& e, const QRectF& box) {
  if (e.crop.isEmpty()) return box;
  // The whole picture, scaled so that its crop covers the box.
  const QSizeF natural = e.picture.naturalSize();
  const double sx = box.width() / e.crop.width(), sy = box.height() / e.crop.height();
  return QRectF(box.left() - e.crop.left() * sx, box.top() - e.crop.top() * sy, natural.width() * sx,
                natural.height() * sy);
}

void ElementPainter::clipped(const Picture& pic, const QRect& box, const QRectF& target) {
  painter_.save();
  painter_.setClipRect(box, Qt::IntersectClip);
  if (mapping_.marksClips) painter_.fillRect(box, QColor::fromRgb(kClipBeginMark));
  picture(pic, target);
  if (mapping_.marksClips) painter_.fillRect(QRect(box.topLeft(), QSize(1, 1)), QColor::fromRgb(kClipEndMark));
  painter_.restore();
}

}  // namespace orvella::page
