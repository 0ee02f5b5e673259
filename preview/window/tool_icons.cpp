// The pictures of the preview's tool buttons, drawn by the program itself.
#include "preview/window/tool_icons.h"

#include <QPainter>
#include <QPainterPath>
#include <QPixmap>
#include <QPolygonF>

namespace orvella::preview {
namespace {

constexpr int kSize = 24;
const QColor kInk(40, 40, 40);
const QColor kAccent(30, 90, 170);

void sheet(QPainter& p, const QRectF& r) {
  p.setPen(QPen(kInk, 1));
  p.setBrush(Qt::white);
  p.drawRect(r);
}

void triangle(QPainter& p, double tipX, bool pointingLeft) {
  const double back = pointingLeft ? tipX + 7 : tipX - 7;
  p.drawPolygon(QPolygonF({QPointF(tipX, 12), QPointF(back, 5), QPointF(back, 19)}));
}

void printer(QPainter& p) {
  p.setPen(QPen(kInk, 1));
  p.setBrush(Qt::white);
  p.drawRect(QRectF(7.5, 3.5, 9, 6));  // paper going in
  p.setBrush(QColor(170, 170, 170));
  p.drawRoundedRect(QRectF(3.5, 9.5, 17, 8), 1.5, 1.5);
  p.setBrush(Qt::white);
  p.drawRect(QRectF(7.5, 15.5, 9, 5));  // paper coming out
  p.setPen(Qt::NoPen);
  p.setBrush(QColor(60, 170, 60));
  p.drawEllipse(QPointF(17.5, 12.5), 1, 1);
}

void magnifier(QPainter& p) {
  p.setBrush(Qt::NoBrush);
  p.setPen(QPen(kAccent, 2));
  p.drawEllipse(QPointF(13, 13), 4.5, 4.5);
  p.setPen(QPen(kAccent, 3, Qt::SolidLine, Qt::RoundCap));
  p.drawLine(QPointF(16.5, 16.5), QPointF(21, 21));
}

void draw(QPainter& p, ToolIcon kind) {
  switch (kind) {
    case ToolIcon::ZoomFit:
      sheet(p, QRectF(3.5, 5.5, 14, 10));
      magnifier(p);
      break;
    case ToolIcon::Zoom100: {
      sheet(p, QRectF(2.5, 3.5, 19, 17));
      QFont font;
      font.setPixelSize(9);
      font.setBold(true);
      p.setFont(font);
      p.setPen(kAccent);
      p.drawText(QRectF(2, 3, 20, 18), Qt::AlignCenter, QStringLiteral("1:1"));
      break;
    }
    case ToolIcon::ZoomToWidth:
      sheet(p, QRectF(2.5, 6.5, 19, 13));
      p.setPen(QPen(kAccent, 2));
      p.drawLine(QPointF(5, 13), QPointF(19, 13));
      p.setPen(Qt::NoPen);
      p.setBrush(kAccent);
      p.drawPolygon(QPolygonF({QPointF(4, 13), QPointF(8, 10), QPointF(8, 16)}));
      p.drawPolygon(QPolygonF({QPointF(20, 13), QPointF(16, 10), QPointF(16, 16)}));
      break;
    case ToolIcon::First:
      p.setPen(Qt::NoPen);
      p.setBrush(kAccent);
      p.drawRect(QRectF(5, 5, 2.5, 14));
      triangle(p, 9, true);
      triangle(p, 15, true);
      break;
    case ToolIcon::Previous:
      p.setPen(Qt::NoPen);
      p.setBrush(kAccent);
      triangle(p, 8, true);
      break;
    case ToolIcon::Next:
      p.setPen(Qt::NoPen);
      p.setBrush(kAccent);
      triangle(p, 16, false);
      break;
    case ToolIcon::Last:
      p.setPen(Qt::NoPen);
      p.setBrush(kAccent);
      triangle(p, 9, false);
      triangle(p, 15, false);
      p.drawRect(QRectF(16.5, 5, 2.5, 14));
      break;
    case ToolIcon::PrinterSetup:
      printer(p);
      p.setPen(QPen(kAccent, 2));
      p.setBrush(Qt::white);
      p.drawEllipse(QPointF(18, 6), 3.5, 3.5);
      p.setBrush(kAccent);
      p.drawEllipse(QPointF(18, 6), 1, 1);
      break;
    case ToolIcon::Print:
      printer(p);
      break;
    case ToolIcon::Save:
      p.setPen(QPen(kInk, 1));
      p.setBrush(kAccent);
      p.drawRect(QRectF(3.5, 3.5, 17, 17));
      p.setBrush(Qt::white);
      p.drawRect(QRectF(6.5, 3.5, 11, 7));
      p.setBrush(QColor(200, 200, 200));
      p.drawRect(QRectF(7.5, 14.5, 9, 6));
      break;
    case ToolIcon::Load: {
      p.setPen(QPen(kInk, 1));
      p.setBrush(QColor(230, 190, 80));
      QPainterPath folder;
      folder.moveTo(2.5, 6.5);
      folder.lineTo(9.5, 6.5);
      folder.lineTo(11.5, 8.5);
      folder.lineTo(20.5, 8.5);
      folder.lineTo(20.5, 19.5);
      folder.lineTo(2.5, 19.5);
      folder.closeSubpath();
      p.drawPath(folder);
      p.setBrush(QColor(250, 215, 110));
      p.drawPolygon(
          QPolygonF({QPointF(5.5, 11.5), QPointF(22.5, 11.5), QPointF(20.5, 19.5), QPointF(2.5, 19.5)}));
      break;
    }
    case ToolIcon::SavePdf: {
      // A sheet with a folded corner and a red band across it.
      p.setPen(QPen(kInk, 1));
      p.setBrush(Qt::white);
      p.drawPolygon(QPolygonF({QPointF(4.5, 2.5), QPointF(14.5, 2.5), QPointF(19.5, 7.5), QPointF(19.5, 21.5),
                               QPointF(4.5, 21.5)}));
      p.drawPolyline(QPolygonF({QPointF(14.5, 2.5), QPointF(14.5, 7.5), QPointF(19.5, 7.5)}));
      p.setPen(Qt::NoPen);
      p.setBrush(QColor(200, 40, 40));
      p.drawRect(QRectF(2, 11, 17, 7));
      p.setPen(QPen(Qt::white, 1.2));
      for (double x : {5.0, 10.0, 15.0}) p.drawLine(QPointF(x, 13.5), QPointF(x + 2.5, 13.5));
      break;
    }
    case ToolIcon::SaveImage: {
      // A framed picture: a sun over two hills.
      p.setPen(QPen(kInk, 1));
      p.setBrush(QColor(210, 230, 250));
      p.drawRect(QRectF(2.5, 4.5, 19, 15));
      p.setPen(Qt::NoPen);
      p.setBrush(QColor(240, 190, 40));
      p.drawEllipse(QPointF(16, 9), 2.5, 2.5);
      p.setBrush(QColor(60, 150, 60));
      p.drawPolygon(QPolygonF({QPointF(3, 19), QPointF(9, 11), QPointF(13, 16), QPointF(16, 13), QPointF(21, 19)}));
      break;
    }
  }
}

}  // namespace

QIcon toolIcon(ToolIcon kind) {
  QIcon icon;
  for (int scale : {1, 2}) {
    QPixmap pixmap(kSize * scale, kSize * scale);
    pixmap.setDevicePixelRatio(scale);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    draw(painter, kind);
    painter.end();
    icon.addPixmap(pixmap);
  }
  return icon;
}

}  // namespace orvella::preview
