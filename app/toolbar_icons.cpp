// Tool-bar pictures painted as vector shapes, so they are crisp at any screen scale.
#include "app/toolbar_icons.h"

#include <QPainter>
#include <QPainterPath>
#include <QPixmap>

#include "ui/lazy_icon.h"

namespace orvella {

namespace {

const QColor kInk(0x33, 0x3a, 0x45);

void drawSheet(QPainter& p, const QRectF& r) {
  QPainterPath sheet;
  const double fold = r.width() * 0.35;
  sheet.moveTo(r.topLeft());
  sheet.lineTo(r.right() - fold, r.top());
  sheet.lineTo(r.right(), r.top() + fold);
  sheet.lineTo(r.bottomRight());
  sheet.lineTo(r.bottomLeft());
  sheet.closeSubpath();
  p.setPen(QPen(kInk, 1.2));
  p.setBrush(Qt::white);
  p.drawPath(sheet);
  QPainterPath corner;
  corner.moveTo(r.right() - fold, r.top());
  corner.lineTo(r.right() - fold, r.top() + fold);
  corner.lineTo(r.right(), r.top() + fold);
  p.setBrush(QColor(0xdd, 0xe3, 0xea));
  p.drawPath(corner);
}

void paintNew(QPainter& p) {
  drawSheet(p, QRectF(5, 2.5, 14, 19));
  p.setPen(Qt::NoPen);
  p.setBrush(QColor(0xf2, 0xb1, 0x1b));
  QPainterPath star;
  const QPointF c(17, 17);
  for (int i = 0; i < 10; ++i) {
    const double radius = i % 2 ? 2.2 : 5.2;
    const double angle = i * M_PI / 5 - M_PI / 2;
    const QPointF pt(c.x() + radius * std::cos(angle), c.y() + radius * std::sin(angle));
    i ? star.lineTo(pt) : star.moveTo(pt);
  }
  star.closeSubpath();
  p.drawPath(star);
}

void paintOpen(QPainter& p) {
  p.setPen(QPen(QColor(0x9a, 0x6b, 0x12), 1.2));
  p.setBrush(QColor(0xf0, 0xc0, 0x4c));
  p.drawRoundedRect(QRectF(2.5, 5.5, 17, 14), 1.5, 1.5);
  p.drawRect(QRectF(2.5, 4, 7, 3));
  QPainterPath flap;
  flap.moveTo(5.5, 10.5);
  flap.lineTo(22, 10.5);
  flap.lineTo(19, 19.5);
  flap.lineTo(2.5, 19.5);
  flap.closeSubpath();
  p.setBrush(QColor(0xfb, 0xd9, 0x7a));
  p.drawPath(flap);
}

void paintSave(QPainter& p) {
  p.setPen(QPen(QColor(0x1d, 0x3f, 0x73), 1.2));
  p.setBrush(QColor(0x3b, 0x72, 0xc4));
  p.drawRoundedRect(QRectF(3.5, 3.5, 17, 17), 2, 2);
  p.setBrush(Qt::white);
  p.drawRect(QRectF(6.5, 3.5, 11, 7));
  p.setBrush(QColor(0x1d, 0x3f, 0x73));
  p.drawRect(QRectF(14, 5, 2, 4));
  p.setBrush(QColor(0xdd, 0xe6, 0xf3));
  p.drawRect(QRectF(7, 14, 10, 6.5));
}

void paintPreview(QPainter& p) {
  drawSheet(p, QRectF(3, 2.5, 13, 17));
  p.setPen(QPen(QColor(0x9a, 0xa5, 0xb1), 1));
  for (int y = 8; y <= 16; y += 3) p.drawLine(QPointF(5.5, y), QPointF(12.5, y));
  p.setPen(QPen(kInk, 2.2, Qt::SolidLine, Qt::RoundCap));
  p.drawLine(QPointF(18.5, 18.5), QPointF(22, 22));
  p.setPen(QPen(kInk, 1.6));
  p.setBrush(QColor(0xcf, 0xe8, 0xff, 200));
  p.drawEllipse(QPointF(15, 15), 4.5, 4.5);
}

void paintEdit(QPainter& p) {
  p.translate(12, 12);
  p.rotate(45);
  p.setPen(QPen(kInk, 1.1));
  p.setBrush(QColor(0xf5, 0xa6, 0x23));
  p.drawRect(QRectF(-3, -10, 6, 14));
  p.setBrush(QColor(0xe8, 0x6d, 0x8a));
  p.drawRect(QRectF(-3, -12, 6, 2.5));
  QPainterPath tip;
  tip.moveTo(-3, 4);
  tip.lineTo(3, 4);
  tip.lineTo(0, 10);
  tip.closeSubpath();
  p.setBrush(QColor(0xf6, 0xdd, 0xb5));
  p.drawPath(tip);
}

void paintPrint(QPainter& p) {
  p.setPen(QPen(kInk, 1.2));
  p.setBrush(Qt::white);
  p.drawRect(QRectF(7, 3, 10, 7));
  p.setBrush(QColor(0x8e, 0x99, 0xa6));
  p.drawRoundedRect(QRectF(3, 9, 18, 9), 2, 2);
  p.setBrush(Qt::white);
  p.drawRect(QRectF(7, 15, 10, 6));
}

// The letter on a round badge, drawn as strokes so that no font is loaded for the tool bar.
void paintRound(QPainter& p, const QColor& fill, bool question) {
  p.setPen(QPen(fill.darker(140), 1.2));
  p.setBrush(fill);
  p.drawEllipse(QRectF(2.5, 2.5, 19, 19));
  p.setPen(QPen(Qt::white, 2.6, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
  p.setBrush(Qt::NoBrush);
  if (question) {
    QPainterPath hook;
    hook.moveTo(9, 9.5);
    hook.cubicTo(9, 5.5, 15.5, 5.5, 15.5, 9.2);
    hook.cubicTo(15.5, 11.8, 12, 12, 12, 14.5);
    p.drawPath(hook);
  } else {
    p.drawLine(QPointF(12, 11), QPointF(12, 16.5));
  }
  p.setPen(Qt::NoPen);
  p.setBrush(Qt::white);
  p.drawEllipse(QPointF(12, question ? 17.8 : 7.6), 1.5, 1.5);
}

QPixmap paintIcon(int index, int side) {
  QPixmap pixmap(side, side);
  pixmap.fill(Qt::transparent);
  QPainter p(&pixmap);
  p.setRenderHint(QPainter::Antialiasing);
  p.setRenderHint(QPainter::TextAntialiasing);
  p.scale(side / 24.0, side / 24.0);
  switch (index) {
    case 0: paintNew(p); break;
    case 1: paintOpen(p); break;
    case 2: paintSave(p); break;
    case 3: paintPreview(p); break;
    case 4: paintEdit(p); break;
    case 5: paintPrint(p); break;
    case 6: paintRound(p, QColor(0x2f, 0x7d, 0xd1), false); break;
    case 7: paintRound(p, QColor(0x3a, 0xa6, 0x5a), true); break;
    default: break;
  }
  return pixmap;
}

}  // namespace

QIcon toolbarIcon(int index) {
  return ui::lazyIcon([index](int side) { return paintIcon(index, side); }, {24, 48});
}

}  // namespace orvella
