// Left-margin strips and holiday icons, drawn with a painter.
#include "ornaments.h"

#include <QBuffer>
#include <QPainter>
#include <QPainterPath>
#include <QtEndian>
#include <cmath>

#include "noise.h"

namespace themes {

namespace {

constexpr int SW = kStripWidth;
constexpr int SH = kStripHeight;
constexpr int kIcon = 64;

QImage strip() {
  QImage image(SW, SH, QImage::Format_RGB32);
  image.fill(Qt::white);
  return image;
}

void verticalGradient(QPainter& p, const QColor& top, const QColor& bottom, double from = 0, double to = SH) {
  QLinearGradient g(0, from, 0, to);
  g.setColorAt(0, top);
  g.setColorAt(1, bottom);
  p.fillRect(QRectF(0, from, SW, to - from), g);
}

void stars(QPainter& p, double bottom, std::uint32_t seed) {
  p.setPen(Qt::NoPen);
  for (int i = 0; i < 60; ++i) {
    const double x = latticeValue(i, 1, seed) * SW, y = latticeValue(i, 2, seed) * bottom;
    const double r = 0.6 + 1.1 * latticeValue(i, 3, seed);
    p.setBrush(QColor(255, 255, 240, int(120 + 135 * latticeValue(i, 4, seed))));
    p.drawEllipse(QPointF(x, y), r, r);
  }
}

QImage icon() {
  QImage image(kIcon, kIcon, QImage::Format_ARGB32);
  image.fill(Qt::transparent);
  return image;
}

QPolygonF starShape(QPointF centre, double outer, double inner, int points, double turn = -90) {
  QPolygonF star;
  for (int i = 0; i < points * 2; ++i) {
    const double a = (turn + i * 180.0 / points) * M_PI / 180.0;
    const double r = i % 2 ? inner : outer;
    star << centre + QPointF(std::cos(a) * r, std::sin(a) * r);
  }
  return star;
}

void pine(QPainter& p, double x, double baseY, double height, const QColor& color) {
  p.setBrush(color);
  const double width = height * 0.42;
  for (int tier = 0; tier < 4; ++tier) {
    const double top = baseY - height + tier * height * 0.2;
    const double bottom = baseY - height * 0.12 - (3 - tier) * height * 0.05;
    const double half = width * (0.35 + tier * 0.2) / 2;
    p.drawPolygon(QPolygonF{{x, top}, {x + half, bottom}, {x - half, bottom}});
  }
  p.fillRect(QRectF(x - height * 0.03, baseY - height * 0.14, height * 0.06, height * 0.14), color.darker(130));
}

}  // namespace

QImage pinesStrip() {
  QImage image = strip();
  QPainter p(&image);
  p.setRenderHint(QPainter::Antialiasing);
  verticalGradient(p, rgb(0x1d2d4f), rgb(0xf3d9b8));
  stars(p, SH * 0.35, 11u);
  p.setBrush(rgb(0xfff3d6));
  p.drawEllipse(QPointF(64, 120), 11, 11);
  p.setBrush(rgb(0x2a3c62));  // the moon's dark side makes a crescent
  p.drawEllipse(QPointF(70, 116), 10, 10);
  // Far ridges, then pines of every size, nearer ones darker and larger.
  QPainterPath ridge;
  ridge.moveTo(0, SH * 0.62);
  for (int x = 0; x <= SW; x += 4) ridge.lineTo(x, SH * (0.58 - 0.05 * fractalNoise(x / 30.0, 0.5, 21u, 3)));
  ridge.lineTo(SW, SH);
  ridge.lineTo(0, SH);
  p.setBrush(rgb(0x8a94b0));
  p.drawPath(ridge);
  for (int i = 0; i < 14; ++i) {
    const double depth = i / 13.0;
    const double x = 8 + latticeValue(i, 7, 31u) * (SW - 16);
    const double baseY = SH * (0.66 + 0.32 * depth);
    pine(p, x, baseY, 60 + 110 * depth, mix(rgb(0x5f7390), rgb(0x1c3326), depth));
  }
  return image;
}

QImage moonStrip() {
  QImage image = strip();
  QPainter p(&image);
  p.setRenderHint(QPainter::Antialiasing);
  verticalGradient(p, rgb(0x0f1838), rgb(0x4a5f8f));
  stars(p, SH, 12u);
  p.setPen(Qt::NoPen);
  // Eight phases from new moon to new moon, top to bottom.
  for (int phase = 0; phase < 8; ++phase) {
    const QPointF centre(SW / 2.0, 60 + phase * 95.0);
    const double r = 26;
    p.setBrush(rgb(0x2b3761));
    p.drawEllipse(centre, r, r);
    // The lit part: half a disc and an ellipse whose width follows the phase.
    const double t = phase / 8.0;  // 0 new, 0.5 full
    const double bulge = std::cos(t * 2 * M_PI) * r;  // r at new, -r at full
    QPainterPath lit;
    const bool waxing = t <= 0.5;
    lit.moveTo(centre + QPointF(0, -r));
    lit.arcTo(QRectF(centre.x() - r, centre.y() - r, 2 * r, 2 * r), 90, waxing ? -180 : 180);
    lit.arcTo(QRectF(centre.x() - std::fabs(bulge), centre.y() - r, 2 * std::fabs(bulge), 2 * r), -90,
              (waxing ? 1 : -1) * (bulge > 0 ? 180 : -180));
    p.setBrush(rgb(0xf5edcf));
    if (phase != 0) p.drawPath(lit);
  }
  return image;
}

QImage lighthouseStrip() {
  QImage image = strip();
  QPainter p(&image);
  p.setRenderHint(QPainter::Antialiasing);
  verticalGradient(p, rgb(0x7fb2e0), rgb(0xf4efe2), 0, SH * 0.72);
  verticalGradient(p, rgb(0x6aa6b8), rgb(0x2d5f7a), SH * 0.72, SH);
  p.setPen(Qt::NoPen);
  // Rocks.
  QPainterPath rocks;
  rocks.moveTo(0, SH * 0.80);
  for (int x = 0; x <= SW; x += 5) rocks.lineTo(x, SH * (0.76 - 0.04 * fractalNoise(x / 25.0, 2.0, 41u, 3)));
  rocks.lineTo(SW, SH * 0.86);
  rocks.lineTo(0, SH * 0.88);
  p.setBrush(rgb(0x5b5650));
  p.drawPath(rocks);
  // The tower, red and white bands, narrowing upwards.
  const double base = SH * 0.77, top = SH * 0.30, cx = SW / 2.0;
  const int bands = 6;
  for (int b = 0; b < bands; ++b) {
    const double y0 = base - (base - top) * b / bands, y1 = base - (base - top) * (b + 1) / bands;
    const double w0 = 34 - 14.0 * b / bands, w1 = 34 - 14.0 * (b + 1) / bands;
    p.setBrush(b % 2 ? rgb(0xfafafa) : rgb(0xc8322d));
    p.drawPolygon(QPolygonF{{cx - w0 / 2, y0}, {cx + w0 / 2, y0}, {cx + w1 / 2, y1}, {cx - w1 / 2, y1}});
  }
  // Gallery, lantern and roof; the beam.
  p.setBrush(rgb(0x333333));
  p.drawRect(QRectF(cx - 15, top - 4, 30, 5));
  p.setBrush(rgb(0xfff2a8));
  p.drawRect(QRectF(cx - 9, top - 22, 18, 18));
  p.setBrush(rgb(0x333333));
  p.drawPolygon(QPolygonF{{cx - 12, top - 22}, {cx + 12, top - 22}, {cx, top - 38}});
  QLinearGradient beam(cx, 0, 0, 0);
  beam.setColorAt(0, QColor(255, 245, 190, 150));
  beam.setColorAt(1, QColor(255, 245, 190, 0));
  p.setBrush(beam);
  p.drawPolygon(QPolygonF{{cx, top - 13}, {0, top - 45}, {0, top + 12}});
  // Waves.
  p.setPen(QPen(QColor(255, 255, 255, 150), 2));
  p.setBrush(Qt::NoBrush);
  for (int row = 0; row < 8; ++row) {
    const double y = SH * 0.89 + row * 11;
    QPainterPath wave;
    wave.moveTo(-10, y);
    for (int x = -10; x < SW + 10; x += 20) wave.quadTo(x + 5, y - 4, x + 10, y), wave.quadTo(x + 15, y + 4, x + 20, y);
    p.drawPath(wave);
  }
  return image;
}

QImage folkStrip() {
  QImage image = strip();
  QPainter p(&image);
  p.setRenderHint(QPainter::Antialiasing);
  p.fillRect(image.rect(), rgb(0xfbf5e6));
  p.setPen(QPen(rgb(0x2f6b35), 3));
  p.drawLine(QPointF(SW / 2.0, 30), QPointF(SW / 2.0, SH - 10));
  p.setPen(Qt::NoPen);
  // Leaves in pairs up the stem, and three rosettes.
  for (int i = 0; i < 9; ++i) {
    const double y = SH - 60 - i * 78;
    for (int side : {-1, 1}) {
      p.save();
      p.translate(SW / 2.0, y);
      p.rotate(side * 55.0);
      QPainterPath leaf;
      leaf.moveTo(0, 0);
      leaf.quadTo(12, -18, 0, -38);
      leaf.quadTo(-12, -18, 0, 0);
      p.setBrush(i % 2 ? rgb(0x3f8a43) : rgb(0x2f6b35));
      p.drawPath(leaf);
      p.restore();
    }
  }
  const QColor colors[] = {rgb(0xd1343c), rgb(0xf0a202), rgb(0x2a6fb0)};
  for (int r = 0; r < 3; ++r) {
    const QPointF c(SW / 2.0, 70 + r * 270.0);
    for (int i = 0; i < 10; ++i) {
      p.save();
      p.translate(c);
      p.rotate(i * 36.0);
      p.setBrush(colors[r]);
      p.drawEllipse(QRectF(-8, -40, 16, 30));
      p.restore();
    }
    p.setBrush(rgb(0xfbf5e6));
    p.drawEllipse(c, 13, 13);
    p.setBrush(colors[(r + 1) % 3]);
    p.drawEllipse(c, 8, 8);
  }
  return image;
}

QImage sunIcon() {
  QImage image = icon();
  QPainter p(&image);
  p.setRenderHint(QPainter::Antialiasing);
  p.setPen(Qt::NoPen);
  p.setBrush(rgb(0xf29e1b));
  p.drawPolygon(starShape({32, 32}, 31, 20, 12));
  p.setBrush(rgb(0xffd23f));
  p.drawEllipse(QPointF(32, 32), 17, 17);
  return image;
}

QImage starIcon() {
  QImage image = icon();
  QPainter p(&image);
  p.setRenderHint(QPainter::Antialiasing);
  p.setPen(QPen(rgb(0xc98a00), 2.5));
  p.setBrush(rgb(0xffcf33));
  p.drawPolygon(starShape({32, 34}, 30, 12, 5));
  return image;
}

QImage lifebuoyIcon() {
  QImage image = icon();
  QPainter p(&image);
  p.setRenderHint(QPainter::Antialiasing);
  p.setPen(Qt::NoPen);
  const QRectF outer(3, 3, 58, 58);
  for (int i = 0; i < 8; ++i) {
    p.setBrush(i % 2 ? rgb(0xffffff) : rgb(0xd7262e));
    p.drawPie(outer, (i * 45 + 22) * 16, 45 * 16);
  }
  p.setCompositionMode(QPainter::CompositionMode_Clear);
  p.drawEllipse(QPointF(32, 32), 15, 15);
  p.setCompositionMode(QPainter::CompositionMode_SourceOver);
  p.setBrush(Qt::NoBrush);
  p.setPen(QPen(rgb(0x7a1d20), 1.5));
  p.drawEllipse(outer);
  p.drawEllipse(QPointF(32, 32), 15, 15);
  return image;
}

QImage rosetteIcon() {
  QImage image = icon();
  QPainter p(&image);
  p.setRenderHint(QPainter::Antialiasing);
  p.setPen(Qt::NoPen);
  for (int i = 0; i < 8; ++i) {
    p.save();
    p.translate(32, 32);
    p.rotate(i * 45.0);
    p.setBrush(i % 2 ? rgb(0xd1343c) : rgb(0xe8674d));
    p.drawEllipse(QRectF(-7, -31, 14, 24));
    p.restore();
  }
  p.setBrush(rgb(0xf0a202));
  p.drawEllipse(QPointF(32, 32), 10, 10);
  p.setBrush(rgb(0x2a6fb0));
  p.drawEllipse(QPointF(32, 32), 5, 5);
  return image;
}

QByteArray iconFile(const QImage& image) {
  QByteArray png;
  QBuffer buffer(&png);
  buffer.open(QIODevice::WriteOnly);
  image.save(&buffer, "PNG");
  // The directory: reserved 0, type 1 (icon), one entry; the entry: width, height (0 stands for
  // 256), no palette, reserved, one plane, 32 bits, the PNG's size and where it starts.
  QByteArray ico(6 + 16, '\0');
  auto put16 = [&ico](int at, quint16 v) { qToLittleEndian(v, ico.data() + at); };
  auto put32 = [&ico](int at, quint32 v) { qToLittleEndian(v, ico.data() + at); };
  put16(2, 1);
  put16(4, 1);
  ico[6] = char(image.width() & 0xFF);
  ico[7] = char(image.height() & 0xFF);
  put16(10, 1);
  put16(12, 32);
  put32(14, quint32(png.size()));
  put32(18, 6 + 16);
  return ico + png;
}

}  // namespace themes
